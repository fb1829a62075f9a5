// Wertalo: how a report family's element is built: rows of one table through its column
// table, or a function of its own.
#pragma once

#include <QString>

#include <span>

#include "core/package/bodies/row_writer.h"
#include "core/package/column_kind.h"
#include "core/package/report_context.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

// A report written from the rows of one table: its plain table name (the "JB" twin is read
// for budget units), its column table, which rows make positions and what an empty text gives.
struct TableBody {
  const char* table;
  std::span<const ColumnEntry> columns;
  RowFilter filter;
  EmptyText emptyText;
};

// A body builder; `id`, when not null, receives the report's anchor text ("#Rb-27s57").
using BodyBuilder = XmlFragment (*)(const ReportContext& report, QString* id);
// A body builder that also takes the kind of task (the Rb-50 parts).
using TaskBodyBuilder = XmlFragment (*)(const ReportContext& report, TRodzajZad sRodzajZad, QString* id);

// A family's body: one of the three is set; none while the family's body is not written yet.
struct Body {
  const TableBody* table = nullptr;
  BodyBuilder build = nullptr;
  TaskBodyBuilder buildTask = nullptr;

  // Whether a report of the family gets an element.
  bool isWritten() const { return table != nullptr || build != nullptr || buildTask != nullptr; }
  // Whether the builder takes the kind of task.
  bool takesTask() const { return buildTask != nullptr; }
};

// The report element of `symbol` built by `body` (a task builder runs with `task`); an empty
// fragment for a body not written yet. A database error is raised naming the report.
XmlFragment buildBody(const Body& body, const QString& symbol, const ReportContext& report, TRodzajZad task, QString* id);

// The elements a report list appends for a report written as `symbol`: a builder that takes
// the kind of task once per kind the local government unit of type `typJst` reports (for a
// municipality with county rights, "M", the municipal and then the county tasks; otherwise once
// without a kind), any other builder once. Empty for a body not written yet.
XmlFragment buildReportElements(const Body& body, const QString& symbol, const ReportContext& report, const QString& typJst);

// The element of a table body: the report element with its Id, the header, and Pozycje with
// one Pozycja per kept row.
XmlFragment tableReport(const TableBody& body, const QString& symbol, const ReportContext& report, QString* id);

// Creates the report element `symbol` in `fragment` with its Id and its header Naglowek
// (version, report date, part number); `id`, when not null, receives the anchor text.
XmlElement& reportWithHeader(XmlFragment& fragment, const QString& symbol, const ReportContext& report, QString* id);

// Every row of the report in `table` (a name the caller chose: ReportContext::table gives the
// twin of the unit kind), in the order the database returns them.
db::DataSet reportRows(const ReportContext& report, const QString& table);

}  // namespace wertalo::package
