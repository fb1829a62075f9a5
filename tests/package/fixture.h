// Package tests: a main data module on a small in-memory database, and the package writer.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"
#include "core/package/xml_node.h"
#include "core/platform/user_interface.h"
#include "support/qt_printers.h"

namespace wertalo::test {

// Runs statements (";"-separated at line ends) on the connection.
void exec(db::Connection& connection, const QString& script);

// The text of "yyyy-MM-dd" DATAWYSLANIA of a report, empty when it is Null.
QString sendingDate(db::Connection& connection, qint64 idspraw, bool jb = false);

// A report row of the selection table, ticked, with the date 2013-12-20 and version 1.
catalogue::SelectRow selectRow(qint64 idspraw, const QString& symbol, const QString& typspr, qint64 idJb = 0);

// A main data module on a private in-memory database with the whole schema, its unit
// ("Miasto Testowo", type "M") chosen, and the package writer for the period December 2013.
struct PackageModule {
  // On a private in-memory SQLite database, or on the database of `settings` (schema applied).
  explicit PackageModule(const db::ConnectionSettings* settings = nullptr);
  platform::RecordingUserInterface ui;
  catalogue::TdtmWertaloMain dtm;
  package::TXMLPaczkaSprawozdan paczka;

  // Runs statements on the module's database.
  void exec(const QString& script);
  // Changes the current choice of unit and period.
  void unit(const std::function<void(catalogue::MemMain&)>& change);
  // Changes the run options.
  void options(const std::function<void(catalogue::RunOptions&)>& change);
  // Appends rows to the selection table.
  void select(std::initializer_list<catalogue::SelectRow> rows);
  // Adds a budget unit of the period (JBOBS).
  void addBudgetUnit(qint64 idJb, const QString& name, const QString& typJb, const QString& regon,
                     const QString& regon2);
  // The export preparation for the budget units listed ("7,9,"; empty: memMain's unit).
  void prepare(const QString& sWybraneJB);
};

// The identifiers of the reports a build wrote, in order.
std::vector<qint64> writtenIds(const package::BuildRecord& record);

// The document head: byte-order mark, declaration, CR LF.
std::string documentHead();
// The lines, each followed by CR LF.
std::string lines(std::initializer_list<const char*> text);
// The nodes of a fragment written at nesting level 0 (checked for well-formedness).
std::string written(const package::XmlFragment& fragment);

}  // namespace wertalo::test
