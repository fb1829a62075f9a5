#include "core/demo/demo_data.h"

#include "core/db/connection.h"
#include "core/demo/demo_balance.h"
#include "core/demo/demo_catalogue.h"
#include "core/demo/demo_reports.h"

namespace wertalo::demo {

DemoContent fillDemoDatabase(db::Connection& connection, int unitCount) {
  const World world = makeWorld(unitCount);
  const std::vector<Period> periods = demoPeriods();
  RowWriter writer(connection);
  connection.beginTransaction();
  try {
    writeCatalogue(writer, world, periods);
    const BalanceTrees trees = writeBalancePositions(writer, world);
    DemoContent content;
    content.units = static_cast<int>(world.units.size());
    content.reports = writeReports(writer, world, periods, trees);
    content.rows = writer.rowCount();
    connection.commit();
    return content;
  } catch (...) {
    try {
      connection.rollback();
    } catch (...) {
      // The first error is the one worth reporting.
    }
    throw;
  }
}

}  // namespace wertalo::demo
