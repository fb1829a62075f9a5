// Wertalo: a materialised result of a query, read like the product's data sets.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

#include "core/text/currency.h"

namespace wertalo::db {

// The date an empty date column reads as: 30 December 1899, the zero of the date scale.
QDate zeroDate();

// Rows of one result with a cursor. Field names match without regard to case (the first
// field of that name wins). Reads of a missing field raise DbError.
class DataSet {
 public:
  using Row = std::vector<QVariant>;
  using Bookmark = int;
  using KeyValue = std::pair<QString, QVariant>;

  DataSet() = default;
  DataSet(QStringList fieldNames, std::vector<Row> rows);

  // Fields.
  int fieldCount() const { return static_cast<int>(fieldNames_.size()); }
  const QStringList& fieldNames() const { return fieldNames_; }
  int fieldIndex(QStringView name) const;  // -1 when absent
  bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }

  // Cursor.
  int recordCount() const { return static_cast<int>(rows_.size()); }
  bool isEmpty() const { return rows_.empty(); }
  void first() { pos_ = 0; }
  void next() { if (pos_ < recordCount()) ++pos_; }
  void last() { pos_ = rows_.empty() ? 0 : recordCount() - 1; }
  bool eof() const { return pos_ >= recordCount(); }
  int recNo() const { return pos_; }

  // Remember and return to a row.
  Bookmark bookmark() const { return pos_; }
  void gotoBookmark(Bookmark mark) { pos_ = mark < 0 ? 0 : (mark > recordCount() ? recordCount() : mark); }

  // Exact, case-sensitive values on one or several fields, searched from the first row.
  // Found: the cursor stands on the row. Not found: the cursor stays where it was.
  bool locate(const std::vector<KeyValue>& keys);
  bool locate(const QString& field, const QVariant& value) { return locate({{field, value}}); }

  // Typed reads of the current row (a field may also be given by index).
  QVariant value(QStringView field) const;
  bool isNull(QStringView field) const;
  QString text(QStringView field) const;          // Null gives ""
  qint64 integer(QStringView field) const;        // Null gives 0
  double number(QStringView field) const;         // Null gives 0
  text::Currency currency(QStringView field) const;                       // Null gives 0
  std::optional<text::Currency> currencyOrNull(QStringView field) const;  // Null gives nothing
  QDate date(QStringView field) const;            // Null gives the zero date
  QDateTime dateTime(QStringView field) const;    // Null gives the zero date at midnight

  // The same reads on a raw value (used for computed values too).
  static QString textOf(const QVariant& v);
  static qint64 integerOf(const QVariant& v);
  static double numberOf(const QVariant& v);
  static std::optional<text::Currency> currencyOf(const QVariant& v);
  static QDateTime dateTimeOf(const QVariant& v);

 private:
  const QVariant& cell(QStringView field) const;

  QStringList fieldNames_;
  std::vector<Row> rows_;
  int pos_ = 0;
};

}  // namespace wertalo::db
