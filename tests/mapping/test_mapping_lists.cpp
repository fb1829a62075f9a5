// The mapping module's lists: positions of the chosen kind and side with their looked-up
// parents, computed symbols and assignments; the Besti@ choices; the was-mapped question. Run
// on both engines (the position statements compare parameters with '*').
#include <gtest/gtest.h>

#include "core/db/query.h"
#include "mapping_fixture.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;
using test::Bestia;
using test::Pos;

// Both sides of the budget's sheet (BILB), of the consolidated one (BILS) and the budget
// units' one (BILJ), and a position of another year.
void addTrees(test::MappingDb& m) {
  m.add(std::vector<Pos>{
      {1, u"BILB"_s, u"A"_s, u"I. Środki pieniężne"_s},
      {2, u"BILB"_s, u"A"_s, u"1. Środki pieniężne na rachunkach budżetu"_s, 1},
      {3, u"BILB"_s, u"A"_s, u"1.1. Rachunek podstawowy"_s, 2},
      {4, u"BILB"_s, u"A"_s, u"Suma aktywów"_s},
      {5, u"BILB"_s, u"P"_s, u"I. Zobowiązania"_s},
      {6, u"BILB"_s, u"P"_s, u"2. Zobowiązania wobec budżetów"_s, 5},
      {7, u"BILB"_s, u"P"_s, u"2.1. Wobec budżetu państwa"_s, 6},
      // KOLEJ decides the order, not the id.
      {11, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 1},
      {12, u"BILS"_s, u"A"_s, u"I. Rzeczowe aktywa trwałe"_s, 11, 2},
      {14, u"BILS"_s, u"A"_s, u"1.1. Grunty oddane w użytkowanie wieczyste"_s, 13, 4},
      {13, u"BILS"_s, u"A"_s, u"1. Grunty"_s, 12, 3},
      {15, u"BILS"_s, u"A"_s, u"Suma aktywów"_s, 0, 5},
      {16, u"BILS"_s, u"P"_s, u"A. Fundusz"_s},
      {21, u"BILJ"_s, u"A"_s, u"A. Aktywa trwałe"_s},
      {22, u"BILJ"_s, u"A"_s, u"I. Rzeczowe aktywa trwałe"_s, 21},
      {23, u"BILJ"_s, u"A"_s, u"1. Grunty"_s, 22},
      {24, u"BILJ"_s, u"A"_s, u"1.1. Grunty oddane w użytkowanie wieczyste"_s, 23},
      {25, u"BILJ"_s, u"A"_s, u"1.2.Pozostałe grunty"_s, 23},
      {26, u"BILJ"_s, u"A"_s, u"Suma aktywów"_s},
      {31, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 1, u"13"_s},
  });
}

class MappingLists : public test::OnBothEngines {
 protected:
  void SetUp() override {
    OnBothEngines::SetUp();
    if (IsSkipped()) return;
    addTrees(*m_);
  }
};

TEST_P(MappingLists, FilterShowsTheKindAndSideInOrderWithComputedSymbols) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILS, apAktywa);
  EXPECT_EQ(&module->srcQryBilPoz(), &module->qryBilPoz());
  EXPECT_TRUE(module->qryBilPoz().active());
  EXPECT_FALSE(module->qryJBBilPoz().active());
  EXPECT_EQ(test::shown(module->srcQryBilPoz()),
            (QStringList{u"11 A. Aktywa trwałe | A | ? | "_s, u"12 I. Rzeczowe aktywa trwałe | A.I | ? | "_s,
                         u"13 1. Grunty | A.I.1 | ? | "_s,
                         u"14 1.1. Grunty oddane w użytkowanie wieczyste | I.1.1.1 | ? | "_s,
                         u"15 Suma aktywów |  | ? | "_s}));

  module->EkspSetMapFilter(tsBILB, apAktywa);
  EXPECT_EQ(test::shown(module->srcQryBilPoz()),
            (QStringList{u"1 I. Środki pieniężne | I | ? | "_s, u"2 1. Środki pieniężne na rachunkach budżetu | I.1 | ? | "_s,
                         u"3 1.1. Rachunek podstawowy | I.1.1 | ? | "_s, u"4 Suma aktywów |  | ? | "_s}));

  module->EkspSetMapFilter(tsBILB, apPasywa);
  EXPECT_EQ(test::shown(module->srcQryBilPoz()),
            (QStringList{u"5 I. Zobowiązania | I | ? | "_s, u"6 2. Zobowiązania wobec budżetów | I.2 | ? | "_s,
                         u"7 2.1. Wobec budżetu państwa | I.2.1 | ? | "_s}));

  module->EkspSetMapFilter(tsBILJ, apAktywa);
  EXPECT_EQ(&module->srcQryBilPoz(), &module->qryJBBilPoz());
  EXPECT_FALSE(module->qryBilPoz().active());
  EXPECT_EQ(test::shown(module->srcQryBilPoz()),
            (QStringList{u"21 A. Aktywa trwałe | A | ? | "_s, u"22 I. Rzeczowe aktywa trwałe | A.I | ? | "_s,
                         u"23 1. Grunty | A.I.1 | ? | "_s,
                         u"24 1.1. Grunty oddane w użytkowanie wieczyste | A.I.1.1 | ? | "_s,
                         u"25 1.2.Pozostałe grunty | A.I.1.2 | ? | "_s, u"26 Suma aktywów |  | ? | "_s}));
}

TEST_P(MappingLists, ParentsAreLookedUpToTheGreatGrandparentForBudgetUnits) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILJ, apAktywa);
  PositionQuery& list = module->srcQryBilPoz();
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 24));
  const PositionFields& f = list.fields();
  EXPECT_EQ(f.iParent1, 22);
  EXPECT_EQ(f.sParent1, u"1. Grunty"_s);
  EXPECT_EQ(f.sParent2, u"I. Rzeczowe aktywa trwałe"_s);
  EXPECT_EQ(f.iParent2, 21);
  EXPECT_EQ(f.sParent3, u"A. Aktywa trwałe"_s);
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 21));
  EXPECT_EQ(list.fields().iParent1, std::nullopt);
  EXPECT_EQ(list.fields().sParent1, u""_s);

  module->EkspSetMapFilter(tsBILS, apAktywa);
  ASSERT_TRUE(module->srcQryBilPoz().data().locate(u"ID_BILPOZ"_s, 14));
  const PositionFields& g = module->srcQryBilPoz().fields();
  EXPECT_EQ(g.sParent2, u"I. Rzeczowe aktywa trwałe"_s);
  EXPECT_EQ(g.iParent2, std::nullopt);  // the local government's list stops at the grandparent
  EXPECT_EQ(g.sParent3, u""_s);
}

TEST_P(MappingLists, AllKindsAndSidesOpenNoListAndOfferNoChoice) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILS, apAktywa);
  module->EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_FALSE(module->qryBilPoz().active());
  EXPECT_FALSE(module->qryJBBilPoz().active());
  EXPECT_EQ(module->qryBilPoz().query().lines().at(kKindLine), u""_s);
  EXPECT_EQ(module->qryBilPoz().query().lines().at(kSideLine), u""_s);
  EXPECT_TRUE(module->qryS_BilBestiaLook().data.isEmpty());
  // Opened as they stand, the lists hold every position of the year.
  EXPECT_EQ(module->qryBilPoz().query().open().recordCount(), 13);
}

// The statements as the module starts with them compare the parameters with '*': on the
// server a longer value still selects its rows.
TEST_P(MappingLists, StartingStatementsSelectByKindAndSideOrEverything) {
  auto module = m_->module();
  db::Query& q = module->qryBilPoz().query();
  EXPECT_EQ(q.lines().at(kKindLine), u"  and (TYPSPR=:TYPSPR or '*'=:TYPSPR) "_s);
  auto ids = [&] {
    db::DataSet rows = q.open();
    QList<qint64> out;
    for (rows.first(); !rows.eof(); rows.next()) out << rows.integer(u"ID_BILPOZ");
    return out;
  };
  EXPECT_EQ(ids(), (QList<qint64>{11, 12, 13, 14, 15, 1, 2, 3, 4, 5, 6, 7, 16}));
  q.bindText(u"TYPSPR"_s, u"BILB"_s);
  q.bindText(u"TYP"_s, u"P"_s);
  EXPECT_EQ(ids(), (QList<qint64>{5, 6, 7}));
  q.bindText(u"TYP"_s, u"*"_s);
  EXPECT_EQ(ids(), (QList<qint64>{1, 2, 3, 4, 5, 6, 7}));

  db::Query& jb = module->qryJBBilPoz().query();
  jb.bindText(u"TYPSPR"_s, u"BILJ"_s);
  jb.bindText(u"TYP"_s, u"A"_s);
  EXPECT_EQ(jb.open().recordCount(), 6);
}

TEST_P(MappingLists, ChoicesAreTheValidBestiaPositionsOfTheKindAndSide) {
  m_->add(std::vector<Bestia>{
      {101, u"BILS"_s, u"A"_s, u"A.I"_s, u"Rzeczowe aktywa trwałe"_s},
      {105, u"BILS"_s, u"A"_s, u"A.I"_s, u"Rzeczowe aktywa trwałe"_s},
      {102, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
      {103, u"BILS"_s, u"A"_s, u"A.V"_s, u"Wycofana"_s, u"2013-12-31"_s},
      {104, u"BILS"_s, u"P"_s, u"A"_s, u"Fundusz"_s},
      {106, u"BILB"_s, u"A"_s, u"I"_s, u"Środki pieniężne"_s},
  });
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILS, apAktywa);
  db::DataSet choices = module->qryS_BilBestiaLook().data;
  QStringList got;
  for (choices.first(); !choices.eof(); choices.next())
    got << u"%1 %2 %3"_s.arg(choices.integer(u"ID_BILBESTIA")).arg(choices.text(u"SYMBOL"), choices.text(u"NAZWA"));
  EXPECT_EQ(got, (QStringList{u"102 A Aktywa trwałe"_s, u"105 A.I Rzeczowe aktywa trwałe"_s}));
  module->EkspSetMapFilter(tsBILB, apPasywa);
  EXPECT_TRUE(module->qryS_BilBestiaLook().data.isEmpty());
}

TEST_P(MappingLists, AssignmentsShowTheirStatusAndBestiaTexts) {
  m_->add(std::vector<Bestia>{{102, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
                              {103, u"BILS"_s, u"A"_s, u"A.V"_s, u"Wycofana"_s, u"2013-12-31"_s}});
  m_->map(u"BILS"_s, 11, 102);
  m_->map(u"BILS"_s, 12, -1);
  m_->map(u"BILS"_s, 13, 0);
  m_->map(u"BILS"_s, 14, 103);  // a Besti@ position no longer valid: assigned, but without texts
  m_->map(u"BILB"_s, 15, 102);  // another kind's entry for the same id
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILS, apAktywa);
  EXPECT_EQ(test::shown(module->srcQryBilPoz()),
            (QStringList{u"11 A. Aktywa trwałe | A | <> | A"_s, u"12 I. Rzeczowe aktywa trwałe | A.I | - | "_s,
                         u"13 1. Grunty | A.I.1 | ? | "_s,
                         u"14 1.1. Grunty oddane w użytkowanie wieczyste | I.1.1.1 | <> | "_s,
                         u"15 Suma aktywów |  | ? | "_s}));
  module->srcQryBilPoz().data().first();
  EXPECT_EQ(module->srcQryBilPoz().fields().sBestiaNazwa, u"Aktywa trwałe"_s);
  EXPECT_EQ(module->assignmentOf(u"BILS"_s, 12).iBilBestiaMap, -1);
  EXPECT_EQ(module->assignmentOf(u"BILS"_s, 15).iBilBestiaMap, std::nullopt);
}

TEST_P(MappingLists, WasMappedAsksTheLocalGovernmentPositionsOnly) {
  m_->add(std::vector<Bestia>{{102, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
                              {103, u"BILS"_s, u"A"_s, u"A.V"_s, u"Wycofana"_s, u"2013-12-31"_s},
                              {107, u"BILJ"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s}});
  m_->map(u"BILJ"_s, 21, 107);  // budget units do not count
  m_->map(u"BILS"_s, 12, -1);   // nor does a position marked not to be assigned
  m_->map(u"BILS"_s, 13, 103);  // nor a Besti@ position no longer valid
  m_->map(u"BILS"_s, 31, 102);  // nor another year
  auto module = m_->module();
  module->EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_FALSE(module->EkspByloMapowanie());
  EXPECT_FALSE(module->qryBilPoz().active());  // left closed as it was

  m_->map(u"BILS"_s, 16, 102);
  module->EkspSetMapFilter(tsBILS, apAktywa);  // shows the assets; the question follows the filter
  EXPECT_FALSE(module->EkspByloMapowanie());
  EXPECT_TRUE(module->qryBilPoz().active());  // left open as it was
  module->EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_TRUE(module->EkspByloMapowanie());
}

WERTALO_ON_BOTH_ENGINES(MappingLists);

}  // namespace
}  // namespace wertalo::mapping
