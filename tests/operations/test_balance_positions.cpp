// The export-side view over a session: it follows the sheet the selection stands on and shows
// the assignments of the session's mapping module, also after they changed.
#include <gtest/gtest.h>

#include "catalogue/fixture.h"
#include "core/mapping/bil_map_to_bestia.h"
#include "core/operations/balance_positions.h"
#include "core/operations/session.h"
#include "mapping/mapping_fixture.h"
#include "support/installation.h"

namespace wertalo::operations {
namespace {

using namespace Qt::StringLiterals;
using test::Pos;

class BalancePositionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::MappingDb rows(install_.connect());
    test::insertBaseRows(rows.connection(), {u"13"_s, u"14"_s});
    test::insertReport(rows.connection(), {.idspraw = 100, .typspr = u"BILS"_s, .datazak = u"2015-03-01"_s,
                                           .rok = u"14"_s, .okres = u"4"_s});
    test::insertReport(rows.connection(), {.idspraw = 200, .typspr = u"BILB"_s, .datazak = u"2015-03-01"_s,
                                           .rok = u"14"_s, .okres = u"4"_s});
    rows.add(std::vector<Pos>{{1, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s},
                              {2, u"BILS"_s, u"P"_s, u"A. Fundusz"_s},
                              {5, u"BILB"_s, u"A"_s, u"I. Środki pieniężne"_s}});
    rows.add(std::vector<test::Bestia>{{501, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s}});
    rows.exec(u"insert into BILS (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (100, 1, 5, 6);\n"
              u"insert into BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) values (200, 5, 7, 8);\n"_s);
    rows.map(u"BILS"_s, 2, -1);

    session_ = install_.open(ui_);
    session_->choose({.kind = catalogue::teBilanse});
  }

  // Makes the selection's row of this report current.
  void stand(const QString& typspr) {
    catalogue::SelectTable& selection = session_->selection();
    for (selection.first(); !selection.eof(); selection.next())
      if (selection.current().TYPSPR == typspr) return;
    FAIL() << "no " << typspr.toStdString() << " in the selection";
  }

  QStringList shown(const BalancePositions& view) const {
    QStringList out;
    for (const mapping::ExportPosition& p : view.rows()) out << u"%1 %2"_s.arg(p.ID_BILPOZ).arg(p.sBestiaSymbolCalc);
    return out;
  }

  test::TempInstallation install_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<Session> session_;
};

TEST_F(BalancePositionsTest, FollowsTheSheetOfTheSelectionsCurrentRow) {
  BalancePositions view(*session_);
  view.followSelection();
  EXPECT_TRUE(view.active());

  stand(u"BILB"_s);
  view.followSelection();
  EXPECT_EQ(shown(view), (QStringList{u"5 ???"_s}));
  ASSERT_TRUE(view.rows().front().SKON);
  EXPECT_EQ(view.rows().front().SKON->units, 80000);

  stand(u"BILS"_s);
  view.followSelection();
  EXPECT_EQ(shown(view), (QStringList{u"1 ???"_s, u"2 ==="_s}));
  view.EkspSetMapFilter(mapping::apPasywa);
  EXPECT_EQ(shown(view), (QStringList{u"2 ==="_s}));
}

TEST_F(BalancePositionsTest, ShowsTheMappingModulesChangesAfterARefresh) {
  BalancePositions view(*session_);
  stand(u"BILS"_s);
  view.followSelection();
  mapping::TdtmBilMapToBestia& module = session_->mapping();
  EXPECT_EQ(&module, &session_->mapping());  // one module for the session
  module.EkspPrzypiszPozycje(u"BILS"_s, 1, 501, true, true);
  view.refresh();
  EXPECT_EQ(shown(view), (QStringList{u"1 A"_s, u"2 ==="_s}));
}

TEST_F(BalancePositionsTest, AnEmptySelectionChangesNothing) {
  BalancePositions view(*session_);
  session_->selection().clear();
  view.followSelection();
  EXPECT_FALSE(view.active());
}

TEST_F(BalancePositionsTest, TheMappingModuleMovesWithTheChosenYear) {
  EXPECT_EQ(session_->mapping().period().ROK, u"14"_s);
  session_->chooseYear(u"13"_s);
  EXPECT_EQ(session_->mapping().period().ROK, u"13"_s);
  EXPECT_EQ(session_->mapping().period().DATAKONCAOKRESU, QDate(2013, 12, 31));
}

}  // namespace
}  // namespace wertalo::operations
