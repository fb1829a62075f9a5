// Wertalo: a materialised result of a query, read like the product's data sets.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/db/field_index.h"
#include "core/text/currency.h"

namespace wertalo::db {

// The date an empty date column reads as: 30 December 1899, the zero of the date scale.
QDate zeroDate();

// Rows of one result with a cursor. Field names match without regard to case (the first
// field of that name wins). Reads of a missing field raise DbError. The rows do not change
// once made; copies share them, the field lookup and the locate indexes (a copy is cheap).
class DataSet {
 public:
  using Row = std::vector<QVariant>;
  using Bookmark = int;
  using KeyValue = std::pair<QString, QVariant>;

  DataSet();
  DataSet(QStringList fieldNames, std::vector<Row> rows);
  DataSet(std::shared_ptr<const FieldIndex> fields, std::vector<Row> rows);
  // Copied, never moved: a moved-from data set would have no rows to answer with.
  DataSet(const DataSet&) = default;
  DataSet& operator=(const DataSet&) = default;

  // Fields.
  int fieldCount() const { return fields_->count(); }
  const QStringList& fieldNames() const { return fields_->names(); }
  int fieldIndex(QStringView name) const { return fields_->indexOf(name); }  // -1 when absent
  bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }

  // Cursor.
  int recordCount() const { return static_cast<int>(rows_->size()); }
  bool isEmpty() const { return rows_->empty(); }
  void first() { pos_ = 0; }
  void next() { if (pos_ < recordCount()) ++pos_; }
  void last() { pos_ = rows_->empty() ? 0 : recordCount() - 1; }
  bool eof() const { return pos_ >= recordCount(); }
  int recNo() const { return pos_; }

  // Remember and return to a row.
  Bookmark bookmark() const { return pos_; }
  void gotoBookmark(Bookmark mark) { pos_ = mark < 0 ? 0 : (mark > recordCount() ? recordCount() : mark); }

  // Exact, case-sensitive values on one or several fields: the first row that has them.
  // Found: the cursor stands on the row. Not found: the cursor stays where it was. The first
  // locate on a set of fields indexes the rows by them, so each further one takes constant time.
  bool locate(const std::vector<KeyValue>& keys);
  bool locate(const QString& field, const QVariant& value) { return locate({{field, value}}); }

  // A data set of the given rows (positions in this one), sharing its fields.
  DataSet subset(const std::vector<int>& rows) const;
  // The rows, for a reader that walks them all without the cursor.
  const std::vector<Row>& rows() const { return *rows_; }

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
  // First rows by key text, for one set of fields compared one way (see locateKey).
  using LocateIndex = QHash<QString, int>;

  const QVariant& cell(QStringView field) const;

  std::shared_ptr<const FieldIndex> fields_;
  std::shared_ptr<const std::vector<Row>> rows_;
  int pos_ = 0;
  // The indexes made by locate, by the fields and the way they are compared.
  std::shared_ptr<std::map<QString, LocateIndex>> locateIndexes_;
};

}  // namespace wertalo::db
