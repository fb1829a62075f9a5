// The export-side view of the balance positions: the positions of the sheet the selection
// stands on, with the sheet's amounts and the assigned Besti@ symbols, on the chosen side. Run
// on both engines (the budget units' statement compares its side parameter with '*').
#include <gtest/gtest.h>

#include "core/mapping/export_positions.h"
#include "core/text/amount.h"
#include "mapping_fixture.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;
using test::Bestia;
using test::Pos;

class ExportView : public test::OnBothEngines {
 protected:
  void SetUp() override {
    OnBothEngines::SetUp();
    if (IsSkipped()) return;
    m_->add(std::vector<Pos>{
        {1, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 20},
        {2, u"BILS"_s, u"A"_s, u"I. Wartości niematerialne"_s, 1, 30},
        {3, u"BILS"_s, u"A"_s, u"B. Aktywa obrotowe"_s, 0, 40},
        {4, u"BILS"_s, u"P"_s, u"A. Fundusz"_s, 0, 10},
        {5, u"BILB"_s, u"A"_s, u"I. Środki pieniężne"_s},
        {9, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 1, u"13"_s},
        {21, u"BILJ"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 30},
        {22, u"BILJ"_s, u"P"_s, u"A. Fundusz"_s, 0, 10},
        {23, u"BILJ"_s, u"A"_s, u"B. Aktywa obrotowe"_s, 0, 20},
    });
    m_->add(std::vector<Bestia>{{501, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
                                {502, u"BILJ"_s, u"A"_s, u"B"_s, u"Aktywa obrotowe"_s}});
    m_->exec(u"insert into BILS (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (100, 1, 10.5, 20.25);\n"
             u"insert into BILS (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (100, 4, 1234.5678, NULL);\n"
             u"insert into BILS (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (101, 3, 99, 99);\n"
             u"insert into BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (200, 5, 1, 2);\n"
             u"insert into JBBILJ (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, ID_JB) values (300, 21, 7, 8, 1);\n"
             u"insert into JBBILJ (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, ID_JB) values (300, 23, -0.5, 0, 1);\n"_s);
    m_->map(u"BILS"_s, 1, 501);
    m_->map(u"BILS"_s, 2, -1);
    m_->map(u"BILS"_s, 3, 0);
    m_->map(u"BILJ"_s, 23, 502);
    module_ = m_->module();
    view_ = std::make_unique<ExportPositions>(m_->connection());
  }

  // The view's rows as "ID NAZWA | SPOCZ | SKON | sBestiaSymbolCalc" ("-" for no amount).
  QStringList shown() const {
    auto amount = [](const std::optional<text::Currency>& v) { return v ? text::amountText(*v) : u"-"_s; };
    QStringList out;
    for (const ExportPosition& p : view_->rows())
      out << u"%1 %2 | %3 | %4 | %5"_s.arg(p.ID_BILPOZ).arg(p.NAZWA, amount(p.SPOCZ), amount(p.SKON), p.sBestiaSymbolCalc);
    return out;
  }

  void follow(const QString& typspr, qint64 idspraw) {
    view_->srcMemSelectSprawDataChange({u"14"_s, typspr, idspraw}, module_.get());
  }

  std::unique_ptr<TdtmBilMapToBestia> module_;
  std::unique_ptr<ExportPositions> view_;
};

TEST_P(ExportView, AUnitSheetShowsItsKindsPositionsWithItsAmountsAndAssignments) {
  follow(u"BILS"_s, 100);
  EXPECT_TRUE(view_->active());
  EXPECT_EQ(view_->source(), PositionTable::BILPOZ);
  EXPECT_EQ(shown(), (QStringList{u"4 A. Fundusz | 1234.57 | 0.00 | ???"_s,   // no assignment row
                                  u"1 A. Aktywa trwałe | 10.50 | 20.25 | A"_s,
                                  u"2 I. Wartości niematerialne | - | - | ==="_s,  // not to be assigned
                                  u"3 B. Aktywa obrotowe | - | - | ???"_s}));     // assigned 0; amounts of another sheet
  EXPECT_EQ(view_->rows().at(1).sBestiaNazwa, u"Aktywa trwałe"_s);
  EXPECT_EQ(view_->rows().at(0).SPOCZ, text::Currency{12345678});

  follow(u"BILB"_s, 200);
  EXPECT_EQ(shown(), (QStringList{u"5 I. Środki pieniężne | 1.00 | 2.00 | ???"_s}));
}

TEST_P(ExportView, ABudgetUnitSheetShowsTheBudgetUnitsPositions) {
  for (const QString& typspr : {u"BILJ"_s, u"BILL"_s}) {
    follow(u"BILS"_s, 100);
    follow(typspr, 300);
    EXPECT_EQ(view_->source(), PositionTable::JBBILPOZ) << typspr.toStdString();
    EXPECT_EQ(shown(), (QStringList{u"22 A. Fundusz | - | - | ???"_s, u"23 B. Aktywa obrotowe | -0.50 | 0.00 | B"_s,
                                    u"21 A. Aktywa trwałe | 7.00 | 8.00 | ???"_s}))
        << typspr.toStdString();
  }
}

TEST_P(ExportView, TheSideFilterKeepsTheOrderAndTheOpenOrClosedState) {
  view_->EkspSetMapFilter(apPasywa, module_.get());
  EXPECT_FALSE(view_->active());  // nothing followed yet: nothing is opened
  EXPECT_TRUE(view_->rows().empty());

  follow(u"BILJ"_s, 300);
  EXPECT_EQ(shown(), (QStringList{u"22 A. Fundusz | - | - | ???"_s}));
  view_->EkspSetMapFilter(apAktywa, module_.get());
  EXPECT_EQ(shown(), (QStringList{u"23 B. Aktywa obrotowe | -0.50 | 0.00 | B"_s,
                                  u"21 A. Aktywa trwałe | 7.00 | 8.00 | ???"_s}));
  EXPECT_EQ(view_->qryJBBilPoz().lines().last(), u"order by KOLEJ"_s);

  follow(u"BILS"_s, 100);  // the side stays chosen for the other list
  EXPECT_EQ(shown(), (QStringList{u"1 A. Aktywa trwałe | 10.50 | 20.25 | A"_s,
                                  u"2 I. Wartości niematerialne | - | - | ==="_s,
                                  u"3 B. Aktywa obrotowe | - | - | ???"_s}));
  view_->EkspSetMapFilter(apRazem, module_.get());
  EXPECT_EQ(shown().size(), 4);
}

TEST_P(ExportView, AReportRowBeforeAnySheetOpensNothing) {
  follow(u"D"_s, 100);
  EXPECT_FALSE(view_->active());
  EXPECT_TRUE(view_->rows().empty());
}

TEST_P(ExportView, WithoutTheMappingModuleEveryPositionIsUnassigned) {
  view_->srcMemSelectSprawDataChange({u"14"_s, u"BILS"_s, 100}, nullptr);
  for (const ExportPosition& p : view_->rows()) {
    EXPECT_EQ(p.sBestiaSymbolCalc, u"???"_s) << p.ID_BILPOZ;
    EXPECT_EQ(p.iBilBestiaMap, std::nullopt);
  }
}

TEST_P(ExportView, RefreshShowsAssignmentsChangedSinceTheListWasOpened) {
  follow(u"BILS"_s, 100);
  module_->EkspPrzypiszPozycje(u"BILS"_s, 1, -1, true, false);
  m_->map(u"BILS"_s, 4, 501);  // written by another program meanwhile
  EXPECT_EQ(view_->rows().at(1).sBestiaSymbolCalc, u"A"_s);
  view_->refresh(module_.get());
  EXPECT_EQ(view_->rows().at(0).sBestiaSymbolCalc, u"A"_s);
  EXPECT_EQ(view_->rows().at(1).sBestiaSymbolCalc, u"==="_s);
}

WERTALO_ON_BOTH_ENGINES(ExportView);

// The calculated symbol of every kind of entry.
TEST(SymbolCalc, MarksSkippedAndUnassignedPositions) {
  struct Case {
    std::optional<qint64> entry;
    QString symbol;
    QString shown;
  };
  const Case cases[] = {
      {-1, u""_s, u"==="_s},       {0, u""_s, u"???"_s},          {std::nullopt, u""_s, u"???"_s},
      {7, u"A.I.1"_s, u"A.I.1"_s}, {7, u""_s, u""_s},  // assigned to a Besti@ position not valid in the year
  };
  for (const Case& c : cases) EXPECT_EQ(symbolCalc(c.entry, c.symbol), c.shown);
}

}  // namespace
}  // namespace wertalo::mapping
