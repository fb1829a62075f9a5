// Automatic mapping: by computed symbol, then by name, then a "Suma" line to the blank symbol;
// existing assignments kept; the unmatched counted. Run on both engines.
#include <gtest/gtest.h>

#include "mapping_fixture.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;
using test::Bestia;
using test::Pos;

class AutomaticMapping : public test::OnBothEngines {
 protected:
  void SetUp() override {
    OnBothEngines::SetUp();
    if (IsSkipped()) return;
    m_->add(std::vector<Pos>{
        {11, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s},               // by symbol
        {12, u"BILS"_s, u"A"_s, u"I. Rzeczowe aktywa trwałe"_s, 11},  // by symbol, though the name differs
        {13, u"BILS"_s, u"A"_s, u"1. Grunty"_s, 12},                  // by name
        {14, u"BILS"_s, u"A"_s, u"1.1. Grunty oddane w użytkowanie wieczyste"_s, 13},  // by name, first in order
        {15, u"BILS"_s, u"A"_s, u"Suma aktywów"_s},                   // to the blank symbol
        {16, u"BILS"_s, u"A"_s, u"3. Inne środki trwałe"_s, 12},      // nothing
        {17, u"BILS"_s, u"A"_s, u"II. Wartości niematerialne"_s, 11},  // nothing: case differs
        {18, u"BILS"_s, u"A"_s, u"III. Należności długoterminowe"_s, 11},  // marked -1: kept
        {19, u"BILS"_s, u"A"_s, u"IV. Długoterminowe aktywa finansowe"_s, 11},  // assigned by hand: kept
        {20, u"BILS"_s, u"A"_s, u"B. Aktywa obrotowe"_s},             // a 0 row: filled
        {31, u"BILS"_s, u"P"_s, u"Suma pasywów"_s},                   // no blank symbol on this side
        {32, u"BILS"_s, u"P"_s, u"A. Fundusz"_s},                     // only the other side / kind has it
        {33, u"BILS"_s, u"P"_s, u"B. Zobowiązania"_s},                // only a withdrawn Besti@ position
        {41, u"BILB"_s, u"A"_s, u"I. Środki pieniężne"_s},
        {42, u"BILB"_s, u"A"_s, u"1. Środki pieniężne na rachunkach"_s, 41},
        {43, u"BILB"_s, u"A"_s, u"1.1. Rachunek podstawowy"_s, 42},  // "1." of the parent left out
        {44, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s, 0, 0, u"13"_s},  // another year
        {51, u"BILJ"_s, u"A"_s, u"A. Aktywa trwałe"_s},
        {52, u"BILJ"_s, u"A"_s, u"I. Rzeczowe aktywa trwałe"_s, 51},
        {53, u"BILJ"_s, u"A"_s, u"1. Grunty"_s, 52},
        {54, u"BILJ"_s, u"A"_s, u"1.2.Pozostałe grunty"_s, 53},  // through ".P" and the great-grandparent
        {55, u"BILJ"_s, u"A"_s, u"Suma aktywów"_s},
    });
    m_->add(std::vector<Bestia>{
        {201, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
        {202, u"BILS"_s, u"A"_s, u"A.I"_s, u"Środki trwałe"_s},
        {203, u"BILS"_s, u"A"_s, u"A.I.G"_s, u"Grunty"_s},
        {204, u"BILS"_s, u"A"_s, u"B.X"_s, u"Grunty oddane w użytkowanie wieczyste"_s},
        {205, u"BILS"_s, u"A"_s, u"A.I.1.1"_s, u"Grunty oddane w użytkowanie wieczyste"_s},
        {206, u"BILS"_s, u"A"_s, u" "_s, u"Suma aktywów"_s},
        {207, u"BILS"_s, u"A"_s, u"a.ii"_s, u"wartości niematerialne"_s},
        {208, u"BILS"_s, u"A"_s, u"A.III"_s, u"Należności długoterminowe"_s},
        {209, u"BILS"_s, u"A"_s, u"A.IV"_s, u"Długoterminowe aktywa finansowe"_s},
        {210, u"BILS"_s, u"A"_s, u"B"_s, u"Aktywa obrotowe"_s},
        {211, u"BILB"_s, u"P"_s, u"A"_s, u"Fundusz"_s},
        {212, u"BILS"_s, u"P"_s, u"B"_s, u"Zobowiązania"_s, u"2013-12-31"_s},
        {213, u"BILS"_s, u"P"_s, u"  "_s, u"Dwie spacje"_s},
        {221, u"BILB"_s, u"A"_s, u"I.1.1"_s, u"Rachunek podstawowy"_s},
        {222, u"BILB"_s, u"A"_s, u"I"_s, u"Środki pieniężne"_s},
        {223, u"BILB"_s, u"A"_s, u"I.1"_s, u"Środki pieniężne na rachunkach"_s},
        {231, u"BILJ"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
        {232, u"BILJ"_s, u"A"_s, u"A.I.1.2"_s, u"Pozostałe grunty"_s},
        {233, u"BILJ"_s, u"A"_s, u" "_s, u"Suma aktywów"_s},
    });
    m_->map(u"BILS"_s, 18, -1);
    m_->map(u"BILS"_s, 19, 299);
    m_->map(u"BILS"_s, 20, 0);
  }
};

const QStringList kMappedOnce = {
    u"BILB 41 222"_s, u"BILB 42 223"_s, u"BILB 43 221"_s, u"BILJ 51 231"_s, u"BILJ 52 0"_s,   u"BILJ 53 0"_s,
    u"BILJ 54 232"_s, u"BILJ 55 233"_s, u"BILS 11 201"_s, u"BILS 12 202"_s, u"BILS 13 203"_s, u"BILS 14 205"_s,
    u"BILS 15 206"_s, u"BILS 16 0"_s,   u"BILS 17 0"_s,   u"BILS 18 -1"_s,  u"BILS 19 299"_s, u"BILS 20 210"_s,
    u"BILS 31 0"_s,   u"BILS 32 0"_s,   u"BILS 33 0"_s};

TEST_P(AutomaticMapping, MatchesBySymbolNameAndSumKeepsAssignmentsAndCountsTheRest) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_EQ(module->EkspMapujAutomatycznie(), 7);
  EXPECT_EQ(m_->mapRows(), kMappedOnce);
  QStringList unmatched;
  for (const UnmatchedPosition& p : module->unmatched())
    unmatched << u"%1 %2 %3 %4 %5"_s.arg(p.TYPSPR).arg(p.ID_BILPOZ).arg(p.TYP, p.NAZWA, p.sBestiaId);
  EXPECT_EQ(unmatched, (QStringList{u"BILS 16 A 3. Inne środki trwałe A.I.3"_s, u"BILS 17 A II. Wartości niematerialne A.II"_s,
                                    u"BILS 31 P Suma pasywów "_s, u"BILS 32 P A. Fundusz A"_s, u"BILS 33 P B. Zobowiązania B"_s,
                                    u"BILJ 52 A I. Rzeczowe aktywa trwałe A.I"_s, u"BILJ 53 A 1. Grunty A.I.1"_s}));
  EXPECT_TRUE(m_->ui.messages().isEmpty());
  EXPECT_FALSE(module->qryBilPoz().active());  // closed as they were
  EXPECT_FALSE(module->qryJBBilPoz().active());
}

TEST_P(AutomaticMapping, ASecondRunChangesOnlyPositionsWithNothingAssigned) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsRazem, apRazem);
  module->EkspMapujAutomatycznie();
  // By hand: 16 marked, 11 moved to another Besti@ position; a Besti@ position for 17 appears.
  module->EkspPrzypiszPozycje(u"BILS"_s, 16, -1, true, false);
  module->EkspPrzypiszPozycje(u"BILS"_s, 11, 210, true, false);
  m_->add(std::vector<Bestia>{{214, u"BILS"_s, u"A"_s, u"A.II"_s, u"Wartości niematerialne i prawne"_s}});
  module->setPeriod(test::year2014());  // the Besti@ list is read again
  module->EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_EQ(module->EkspMapujAutomatycznie(), 5);
  QStringList expected = kMappedOnce;
  expected.replace(expected.indexOf(u"BILS 11 201"_s), u"BILS 11 210"_s);
  expected.replace(expected.indexOf(u"BILS 16 0"_s), u"BILS 16 -1"_s);
  expected.replace(expected.indexOf(u"BILS 17 0"_s), u"BILS 17 214"_s);
  EXPECT_EQ(m_->mapRows(), expected);
}

TEST_P(AutomaticMapping, FollowsTheFilterAndLeavesOpenListsOpen) {
  auto module = m_->module();
  module->EkspSetMapFilter(tsBILB, apAktywa);
  EXPECT_EQ(module->EkspMapujAutomatycznie(), 0);
  EXPECT_EQ(m_->mapRows(), (QStringList{u"BILB 41 222"_s, u"BILB 42 223"_s, u"BILB 43 221"_s, u"BILS 18 -1"_s,
                                        u"BILS 19 299"_s, u"BILS 20 0"_s}));
  ASSERT_TRUE(module->qryBilPoz().active());
  EXPECT_EQ(test::shown(module->qryBilPoz()),
            (QStringList{u"41 I. Środki pieniężne | I | <> | I"_s, u"42 1. Środki pieniężne na rachunkach | I.1 | <> | I.1"_s,
                         u"43 1.1. Rachunek podstawowy | I.1.1 | <> | I.1.1"_s}));
}

WERTALO_ON_BOTH_ENGINES(AutomaticMapping);

}  // namespace
}  // namespace wertalo::mapping
