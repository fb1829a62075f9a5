// The demo's mapping situation: the automatic mapping finds almost every position of the
// latest year, keeps the two entries made by hand and leaves the positions without a Besti@
// counterpart.
#include <gtest/gtest.h>

#include "core/db/query.h"
#include "core/demo/demo_catalogue.h"
#include "core/demo/demo_data.h"
#include "mapping_fixture.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;

TEST(DemoMapping, AutomaticMappingLeavesOnlyPositionsWithoutACounterpart) {
  auto connection = test::memoryDatabase();
  demo::fillDemoDatabase(*connection, 1);
  platform::RecordingUserInterface ui;
  TdtmBilMapToBestia module(*connection, ui, test::year2014());
  module.EkspSetMapFilter(tsRazem, apRazem);
  EXPECT_TRUE(module.EkspByloMapowanie());  // the hand-made assignment counts
  EXPECT_EQ(module.EkspMapujAutomatycznie(), 4);
  QStringList unmatched;
  for (const UnmatchedPosition& p : module.unmatched()) unmatched << u"%1 %2 %3 %4"_s.arg(p.TYPSPR, p.TYP, p.sBestiaId, p.NAZWA);
  EXPECT_EQ(unmatched, (QStringList{u"BILB A I.3 3. Inne środki pieniężne"_s,
                                    u"BILS P A.IV IV. Fundusz mienia zlikwidowanych jednostek"_s,
                                    u"BILJ A B.III.3 3. Inne środki pieniężne"_s,
                                    u"BILJ P A.IV IV. Fundusz mienia zlikwidowanych jednostek"_s}));

  auto count = [&](const QString& where) {
    return db::openSql(*connection, u"select count(*) as N from BILTOBESTIAMAP where "_s + where).integer(u"N");
  };
  EXPECT_EQ(count(u"1=1"_s), 24 + 47 + 47);
  EXPECT_EQ(count(u"ID_BILBESTIA=0"_s), 4);
  EXPECT_EQ(count(u"ID_BILBESTIA=-1"_s), 1);
  // Every position found its own Besti@ position: the symbols agree (a sum line has the blank one).
  module.EkspSetMapFilter(tsBILS, apAktywa);
  PositionQuery& list = module.srcQryBilPoz();
  int agreeing = 0;
  for (list.data().first(); !list.data().eof(); list.data().next()) {
    const PositionFields& f = list.fields();
    const QString nazwa = list.data().text(u"NAZWA");
    if (f.sBestiaSymbol == (nazwa.startsWith(u"Suma"_s) ? u" "_s : f.sBestiaId)) ++agreeing;
    else if (nazwa.startsWith(u"1.1. "_s)) EXPECT_EQ(f.sBestiaSymbol, u"A.I.1.1"_s);  // by name, by hand before
    else EXPECT_EQ(f.sMapStatus, u"-"_s) << nazwa.toStdString();
  }
  EXPECT_EQ(agreeing, 23);
}

}  // namespace
}  // namespace wertalo::mapping
