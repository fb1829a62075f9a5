// Wertalo demo: fills a product database with the demo data of a city and its budget units.
#pragma once

namespace wertalo::db {
class Connection;
}

namespace wertalo::demo {

// What the demo data holds.
struct DemoContent {
  int units = 0;    // budget units
  int reports = 0;  // reports of the city and its units
  int rows = 0;     // rows written, in all tables
};

// The budget units of a demo installation when not told otherwise.
inline constexpr int kDefaultUnits = 6;

// Writes the demo data (years 2013 and 2014, the city and `unitCount` budget units) into a
// database whose schema is applied and whose tables are empty, in one transaction. The same
// count always gives the same rows. Database errors raise db::DbError; nothing is kept then.
DemoContent fillDemoDatabase(db::Connection& connection, int unitCount = kDefaultUnits);

}  // namespace wertalo::demo
