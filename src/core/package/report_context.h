// Wertalo: what a report body reads: the report being written, whose tables, the database.
#pragma once

#include <QString>

#include <initializer_list>

#include "core/catalogue/enums.h"
#include "core/catalogue/select_table.h"
#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/package/xml_node.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::package {

class BodyReads;

// A text that a field of a report's row must equal (see ReportContext::tableRows).
struct FieldIs {
  const char* field;
  QString text;
};

// Kind of task of an Rb-50 part: municipal, county, or none.
enum TRodzajZad { tGminna, tPowiatowa, tBrak };

// The report a body builder writes: its selection row, the unit kind whose tables hold it
// (the plain tables for the unit itself, the "JB" twins for budget units) and the database.
class ReportContext {
 public:
  // `selectionOpen` is false when the selection table the row belongs to is closed; `reads`,
  // when not null, are the run's reads of the report tables.
  ReportContext(db::Connection& connection, catalogue::TRodzajEksportu kind, const catalogue::SelectRow& row,
                bool selectionOpen = true, BodyReads* reads = nullptr);

  // The database the report is read from.
  db::Connection& db() const { return *connection_; }
  // The unit kind whose tables are read.
  catalogue::TRodzajEksportu kind() const { return kind_; }
  // The selection row of the report (IDSPRAW, Wersja, Data, CZAST, sCzesc, sDzial, ...).
  const catalogue::SelectRow& row() const { return *row_; }
  // Whether the selection table the row belongs to is open.
  bool selectionOpen() const { return selectionOpen_; }

  // A report table's name for this unit kind: the plain name, or its "JB" twin.
  QString table(const QString& plainName) const { return catalogue::tableFor(kind_, plainName); }
  // A statement on the database with IDSPRAW bound to this report as an integer; further
  // parameters may be bound before it is opened.
  db::Query query(const QString& sql) const;
  // The rows of a statement whose only parameter is IDSPRAW.
  db::DataSet rows(const QString& sql) const;
  // The report's rows in `table` (the name as read: plain or "JB" twin) as "select * from
  // <table> where IDSPRAW=:IDSPRAW" gives them; in a run they come from the run's reads.
  db::DataSet tableRows(const QString& table) const;
  // Those of them whose fields equal the texts given, compared as the engine's "=" compares a
  // text column with a text. A field the table does not have raises db::DbError.
  db::DataSet tableRows(const QString& table, std::initializer_list<FieldIs> where) const;

  // The report's rows of a statement that can read many reports' rows at once:
  // `selectWhere` "IDSPRAW" `rest`, where the condition on IDSPRAW comes last in the where
  // clause and `rest` (e.g. "group by IDSPRAW, …") may follow it; the rows must carry IDSPRAW.
  // In a run it is read for a window of the run's reports ("between …", "in (…)") and each
  // report gets the rows the statement gives for it alone ("= :IDSPRAW").
  db::DataSet windowRows(const QString& selectWhere, const QString& rest) const;
  // Creates the report element `symbol` in `fragment` with its Id; `id`, when not null,
  // receives the anchor text ("#Rb-27s57").
  XmlElement& reportElement(XmlFragment& fragment, const QString& symbol, QString* id) const;

 private:
  db::Connection* connection_;
  catalogue::TRodzajEksportu kind_;
  const catalogue::SelectRow* row_;
  bool selectionOpen_;
  BodyReads* reads_;
};

// The anchor text of a report: "#", the Besti@ symbol, the report id.
QString anchorText(const QString& symbol, qint64 idspraw);

}  // namespace wertalo::package
