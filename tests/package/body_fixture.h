// Body tests: a small database with the whole schema, and a report body built for a row.
#pragma once

#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/catalogue/select_table.h"
#include "core/db/connection.h"
#include "core/package/report_context.h"
#include "support/qt_printers.h"

namespace wertalo::test {

// A private in-memory SQLite database (or the database of `settings`) with the schema.
class BodyFixture {
 public:
  explicit BodyFixture(const db::ConnectionSettings* settings = nullptr);
  ~BodyFixture();

  db::Connection& db() { return *db_; }
  // Runs statements (";"-separated at line ends).
  void exec(const QString& script);
  // The written element of the row's report, built by the body its symbol (`sTypSprBestia`)
  // has in the registry, from the plain or the JB tables; checked for well-formedness.
  // `id`, when not null, receives the anchor; `reads`, when not null, are a run's reads.
  std::string build(const catalogue::SelectRow& row, catalogue::TRodzajEksportu kind = catalogue::rJST,
                    package::TRodzajZad task = package::tBrak, QString* id = nullptr, package::BodyReads* reads = nullptr);

 private:
  std::unique_ptr<db::Connection> db_;
};

// Element names and texts of a Pozycja, in element order.
using Fields = std::vector<std::pair<const char*, const char*>>;
// A Pozycja with its children at the given indentation (two blanks per level), CR LF lines.
std::string pozycja(int level, const Fields& fields);
// A list element of a report (one level in) with its positions; without any, "<X/>".
std::string section(const char* element, const std::vector<Fields>& positions);

}  // namespace wertalo::test
