// Catalogue tests: a small product database with the rows that matter.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "core/catalogue/wertalo_main.h"
#include "core/platform/user_interface.h"
#include "support/qt_printers.h"

namespace wertalo::test {

// Runs statements (";"-separated at line ends) on the connection.
void exec(db::Connection& connection, const QString& script);

// The period calendar of one year (months and quarters), the unit (a city, type "M"),
// PARAMS, JSTDOP and the report-type dictionary.
void insertBaseRows(db::Connection& connection, const QStringList& years = {QStringLiteral("13"), QStringLiteral("14")});

// A report of the unit itself (SPRAWAKT + SPRAWOZD) or of a budget unit (JB twins when idJb > 0).
struct ReportSpec {
  qint64 idspraw = 0;
  QString typspr;
  int wersja = 0;
  QString datazak;  // yyyy-MM-dd, empty for Null (open report)
  QString rok = QStringLiteral("13");
  QString okres = QStringLiteral("K");
  qint64 idJb = 0;
  int podtyp = 0;
  int czast = 0;
  bool signedXml = false;
};
void insertReport(db::Connection& connection, const ReportSpec& report);

// A main data module on a private in-memory database with the whole schema.
struct Module {
  Module();
  platform::RecordingUserInterface ui;
  catalogue::TdtmWertaloMain dtm;
  // Changes the run options.
  void options(const std::function<void(catalogue::RunOptions&)>& change);
  // Changes the current choice of unit and period.
  void unit(const std::function<void(catalogue::MemMain&)>& change);
  // Opens the catalogue (after the rows were inserted) and chooses year and period.
  void start(const QString& rok = QStringLiteral("13"), const QString& opZam = QStringLiteral("4100"));
};

}  // namespace wertalo::test
