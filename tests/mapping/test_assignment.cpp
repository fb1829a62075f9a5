// Assignments: the uniqueness check and its message, keeping or overwriting, finding, the
// current-row operations and clearing.
#include <gtest/gtest.h>

#include "mapping_fixture.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;
using test::Bestia;
using test::Pos;

class Assignment : public test::OnBothEngines {
 protected:
  void SetUp() override {
    OnBothEngines::SetUp();
    if (IsSkipped()) return;
    m_->add(std::vector<Pos>{
        {11, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s},
        {12, u"BILS"_s, u"A"_s, u"B. Aktywa obrotowe"_s},
        {13, u"BILS"_s, u"A"_s, u"C. Należne wpłaty"_s},
        {14, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 0, u"13"_s},  // the year before
        {15, u"BILS"_s, u"P"_s, u"A. Fundusz"_s},
        {16, u"BILS"_s, u"A"_s, u"D. Inny okres"_s, 0, 0, u"14"_s, u"2"_s},  // another period
        {21, u"BILJ"_s, u"A"_s, u"A. Aktywa trwałe"_s},
        {22, u"BILJ"_s, u"A"_s, u"B. Aktywa obrotowe"_s},
    });
    m_->add(std::vector<Bestia>{{201, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
                                {202, u"BILS"_s, u"A"_s, u"B"_s, u"Aktywa obrotowe"_s},
                                {301, u"BILJ"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s}});
    module_ = m_->module();
    module_->TypSpr = tsBILS;
    module_->AktywaPasywa = apAktywa;
  }
  std::unique_ptr<TdtmBilMapToBestia> module_;
};

TEST_P(Assignment, ABestiaPositionTakenElsewhereIsRefusedAndNothingChanges) {
  m_->map(u"BILS"_s, 11, 201);
  m_->map(u"BILS"_s, 12, 202);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 12, 201, true, true), 0);
  EXPECT_EQ(m_->ui.messages(), QStringList{kPozycjaJuzPrzypisana});
  EXPECT_EQ(kPozycjaJuzPrzypisana,
            u"BŁĄD!! Wskazana pozycja bilansu już jest przypisana w innym miejscu. Polecenie nie może być wykonane."_s);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 202"_s}));
  // A position without a row gets none either.
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 13, 202, true, true), 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 202"_s}));
  EXPECT_EQ(m_->ui.messages().size(), 2);
}

TEST_P(Assignment, TheMessageComesOncePerPositionHoldingIt) {
  m_->map(u"BILS"_s, 11, 201);
  m_->map(u"BILS"_s, 12, 201);  // assigned twice before, without the check
  m_->map(u"BILS"_s, 12, 201);  // and a doubled row
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 13, 201, true, true), 0);
  EXPECT_EQ(m_->ui.messages(), (QStringList{kPozycjaJuzPrzypisana, kPozycjaJuzPrzypisana}));
}

TEST_P(Assignment, OnlyTheSameKindSideYearAndPeriodStandInTheWay) {
  m_->map(u"BILS"_s, 14, 201);  // the year before
  m_->map(u"BILS"_s, 15, 201);  // the other side
  m_->map(u"BILS"_s, 16, 201);  // another period of the year
  m_->map(u"BILB"_s, 12, 201);  // another kind's entry
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 11, 201, true, true), 201);
  EXPECT_TRUE(m_->ui.messages().isEmpty());
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILB 12 201"_s, u"BILS 11 201"_s, u"BILS 14 201"_s, u"BILS 15 201"_s,
                                        u"BILS 16 201"_s}));
}

TEST_P(Assignment, APositionMayBeGivenTheBestiaPositionItAlreadyHas) {
  m_->map(u"BILS"_s, 11, 201);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 11, 201, true, true), 201);
  EXPECT_TRUE(m_->ui.messages().isEmpty());
  EXPECT_EQ(m_->mapRows(), QStringList{u"BILS 11 201"_s});
}

TEST_P(Assignment, BudgetUnitAssignmentsAreCheckedAgainstTheBudgetUnitsPositions) {
  module_->TypSpr = tsBILJ;
  m_->map(u"BILJ"_s, 21, 301);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILJ"_s, 22, 301, true, true), 0);
  EXPECT_EQ(m_->ui.messages(), QStringList{kPozycjaJuzPrzypisana});
  EXPECT_EQ(m_->mapRows(), QStringList{u"BILJ 21 301"_s});
}

TEST_P(Assignment, WithoutTheCheckDuplicatesAreWritten) {
  m_->map(u"BILS"_s, 11, 201);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 12, 201, true, false), 201);
  EXPECT_TRUE(m_->ui.messages().isEmpty());
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 201"_s}));
}

TEST_P(Assignment, NoValueAndTheMarkAreNeverRefused) {
  m_->map(u"BILS"_s, 11, 0);
  m_->map(u"BILS"_s, 12, -1);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 13, 0, true, true), 0);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 11, -1, true, true), -1);
  EXPECT_TRUE(m_->ui.messages().isEmpty());
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 -1"_s, u"BILS 12 -1"_s, u"BILS 13 0"_s}));
}

TEST_P(Assignment, WithoutModifyingANonZeroEntryIsKept) {
  m_->map(u"BILS"_s, 11, 201);
  m_->map(u"BILS"_s, 12, -1);
  m_->map(u"BILS"_s, 13, 0);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 11, 202, false, false), 201);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 12, 202, false, false), -1);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 13, 202, false, false), 202);
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 15, 0, false, false), 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 -1"_s, u"BILS 13 202"_s, u"BILS 15 0"_s}));
  // Modifying overwrites, -1 included.
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 12, 202, true, false), 202);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 202"_s, u"BILS 13 202"_s, u"BILS 15 0"_s}));
}

TEST_P(Assignment, AWriteReachesEveryDoubledRowOfThePosition) {
  m_->map(u"BILS"_s, 11, 0);
  m_->map(u"BILS"_s, 11, 202);
  // The first row in index order counts: 0, so the position takes the new value.
  EXPECT_EQ(module_->EkspPrzypiszPozycje(u"BILS"_s, 11, 201, false, false), 201);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 11 201"_s}));
}

TEST_P(Assignment, FindingCreatesAMissingRowWithZero) {
  m_->map(u"BILS"_s, 12, -1);
  EXPECT_EQ(module_->EkspZnajdzPrzypisanie(u"BILS"_s, 11), 0);
  EXPECT_EQ(module_->EkspZnajdzPrzypisanie(u"BILS"_s, 12), -1);
  EXPECT_EQ(module_->EkspZnajdzPrzypisanie(u"BILS"_s, 11), 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 0"_s, u"BILS 12 -1"_s}));
}

TEST_P(Assignment, TheChosenBestiaPositionFollowsTheCurrentRow) {
  m_->map(u"BILS"_s, 12, 202);
  module_->EkspSetMapFilter(tsBILS, apAktywa);
  PositionQuery& list = module_->srcQryBilPoz();
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 12));
  module_->srcQryBilPozDataChange();
  EXPECT_EQ(module_->memBilBestiaMap.ID_POZBESTIA, 202);
  list.data().first();
  module_->srcQryBilPozDataChange();  // merely visiting a position creates its row
  EXPECT_EQ(module_->memBilBestiaMap.ID_POZBESTIA, 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 0"_s, u"BILS 12 202"_s}));

  module_->EkspSetMapFilter(tsBILB, apAktywa);  // no positions: nothing to follow, no row made up
  module_->srcQryBilPozDataChange();
  EXPECT_EQ(module_->memBilBestiaMap.ID_POZBESTIA, 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 0"_s, u"BILS 12 202"_s}));
}

TEST_P(Assignment, TheCurrentRowIsAssignedAsTheFormsButtonsDo) {
  module_->EkspSetMapFilter(tsBILS, apAktywa);
  PositionQuery& list = module_->srcQryBilPoz();
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 11));
  EXPECT_EQ(module_->EkspPrzypiszAktPozycje(201, true, true), 201);  // "Przypisz pozycję"
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 12));
  EXPECT_EQ(module_->EkspPrzypiszAktPozycje(201, true, true), 0);  // taken by 11
  EXPECT_EQ(module_->EkspPrzypiszAktPozycje(-1, true, false), -1);  // "Nie przypisuj"
  ASSERT_TRUE(list.data().locate(u"ID_BILPOZ"_s, 13));
  EXPECT_EQ(module_->EkspPrzypiszAktPozycje(0, true, false), 0);  // "Usuń przypisanie"
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILS 11 201"_s, u"BILS 12 -1"_s, u"BILS 13 0"_s}));
  EXPECT_EQ(m_->ui.messages(), QStringList{kPozycjaJuzPrzypisana});

  module_->EkspSetMapFilter(tsBILS, apAktywa);  // reopened: the status column follows
  EXPECT_EQ(test::shown(module_->srcQryBilPoz()),
            (QStringList{u"11 A. Aktywa trwałe | A | <> | A"_s, u"12 B. Aktywa obrotowe | B | - | "_s,
                         u"13 C. Należne wpłaty | C | ? | "_s, u"16 D. Inny okres | D | ? | "_s}));

  module_->EkspSetMapFilter(tsBILB, apAktywa);  // an empty list: nothing is written
  EXPECT_EQ(module_->EkspPrzypiszAktPozycje(202, true, false), 0);
  EXPECT_EQ(m_->mapRows().size(), 3);
}

TEST_P(Assignment, ClearingWritesZeroForEveryShownPositionAndCreatesMissingRows) {
  m_->map(u"BILS"_s, 11, 201);
  m_->map(u"BILS"_s, 12, -1);
  m_->map(u"BILS"_s, 14, 201);  // the year before
  m_->map(u"BILS"_s, 15, 202);  // the other side
  m_->map(u"BILJ"_s, 21, 301);  // another kind
  module_->EkspSetMapFilter(tsBILS, apAktywa);
  module_->EkspUsunMapowania();
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILJ 21 301"_s, u"BILS 11 0"_s, u"BILS 12 0"_s, u"BILS 13 0"_s,
                                        u"BILS 14 201"_s, u"BILS 15 202"_s, u"BILS 16 0"_s}));
  EXPECT_EQ(test::shown(module_->srcQryBilPoz()),
            (QStringList{u"11 A. Aktywa trwałe | A | ? | "_s, u"12 B. Aktywa obrotowe | B | ? | "_s,
                         u"13 C. Należne wpłaty | C | ? | "_s, u"16 D. Inny okres | D | ? | "_s}));
  EXPECT_TRUE(m_->ui.messages().isEmpty());
}

TEST_P(Assignment, ClearingWithNoListShownChangesNothing) {
  m_->map(u"BILS"_s, 11, 201);
  module_->EkspSetMapFilter(tsRazem, apRazem);
  module_->EkspUsunMapowania();
  EXPECT_EQ(m_->mapRows(), QStringList{u"BILS 11 201"_s});
}

WERTALO_ON_BOTH_ENGINES(Assignment);

}  // namespace
}  // namespace wertalo::mapping
