#include "core/db/data_set.h"

#include <QByteArray>

#include <cmath>

#include "core/db/db_error.h"

namespace wertalo::db {

using text::Currency;

QDate zeroDate() { return QDate(1899, 12, 30); }

DataSet::DataSet() : fields_(std::make_shared<FieldIndex>()), rows_(std::make_shared<std::vector<Row>>()) {}

DataSet::DataSet(QStringList fieldNames, std::vector<Row> rows)
    : DataSet(std::make_shared<FieldIndex>(std::move(fieldNames)), std::move(rows)) {}

DataSet::DataSet(std::shared_ptr<const FieldIndex> fields, std::vector<Row> rows)
    : fields_(std::move(fields)), rows_(std::make_shared<std::vector<Row>>(std::move(rows))) {}

const QVariant& DataSet::cell(QStringView field) const {
  const int index = fieldIndex(field);
  if (index < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(field.toString()));
  if (eof()) throw DbError(QStringLiteral("Brak bieżącego wiersza przy odczycie pola '%1'").arg(field.toString()));
  return (*rows_)[static_cast<size_t>(pos_)][static_cast<size_t>(index)];
}

QVariant DataSet::value(QStringView field) const { return cell(field); }

bool DataSet::isNull(QStringView field) const { return cell(field).isNull(); }

DataSet DataSet::subset(const std::vector<int>& rows) const {
  std::vector<Row> picked;
  picked.reserve(rows.size());
  for (const int r : rows) picked.push_back((*rows_)[static_cast<size_t>(r)]);
  return DataSet(fields_, std::move(picked));
}

namespace {

bool isIntegerType(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return true;
    default:
      return false;
  }
}

// Whether a stored value is the one wanted: Null only matches Null; a wanted integer matches a
// stored value that reads as the same integer; anything else matches by its text.
bool sameValue(const QVariant& stored, const QVariant& wanted) {
  if (stored.isNull() || wanted.isNull()) return stored.isNull() && wanted.isNull();
  if (isIntegerType(wanted)) {
    bool ok = false;
    const qlonglong v = stored.toLongLong(&ok);
    return ok && v == wanted.toLongLong();
  }
  return DataSet::textOf(stored) == DataSet::textOf(wanted);
}

// The key texts of locate's index: one part per field, each a tag ("n" Null, "i" integer,
// "t" text), the length of the value and the value, so that two keys are equal exactly when
// sameValue holds for every field.
void appendPart(QString& key, QChar tag, const QString& value = QString()) {
  key += tag;
  key += QString::number(value.size());
  key += QLatin1Char(':');
  key += value;
}

// The part a stored value gives when compared as an integer (false: it can equal no integer)
// or as a text.
bool storedPart(QString& key, const QVariant& stored, bool asInteger) {
  if (stored.isNull()) {
    appendPart(key, QLatin1Char('n'));
    return true;
  }
  if (!asInteger) {
    appendPart(key, QLatin1Char('t'), DataSet::textOf(stored));
    return true;
  }
  bool ok = false;
  const qlonglong v = stored.toLongLong(&ok);
  if (ok) appendPart(key, QLatin1Char('i'), QString::number(v));
  return ok;
}

void wantedPart(QString& key, const QVariant& wanted) {
  if (wanted.isNull()) appendPart(key, QLatin1Char('n'));
  else if (isIntegerType(wanted)) appendPart(key, QLatin1Char('i'), QString::number(wanted.toLongLong()));
  else appendPart(key, QLatin1Char('t'), DataSet::textOf(wanted));
}

// Below this many rows a locate searches them one by one instead of indexing them.
constexpr int kIndexedFrom = 8;

}  // namespace

bool DataSet::locate(const std::vector<KeyValue>& keys) {
  std::vector<int> indexes;
  for (const auto& key : keys) {
    const int index = fieldIndex(key.first);
    if (index < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(key.first));
    indexes.push_back(index);
  }
  if (recordCount() < kIndexedFrom) {
    for (int r = 0; r < recordCount(); ++r) {
      const Row& row = (*rows_)[static_cast<size_t>(r)];
      bool match = true;
      for (size_t k = 0; k < keys.size() && match; ++k) match = sameValue(row[static_cast<size_t>(indexes[k])], keys[k].second);
      if (match) {
        pos_ = r;
        return true;
      }
    }
    return false;
  }

  // The index of these fields compared this way: each key text with the first row that has it.
  QString signature;
  for (size_t k = 0; k < keys.size(); ++k) {
    const bool nonNullInteger = !keys[k].second.isNull() && isIntegerType(keys[k].second);
    signature += QString::number(indexes[k]) + (nonNullInteger ? QLatin1Char('i') : QLatin1Char('t')) + QLatin1Char(',');
  }
  if (!locateIndexes_) locateIndexes_ = std::make_shared<std::map<QString, LocateIndex>>();
  auto it = locateIndexes_->find(signature);
  if (it == locateIndexes_->end()) {
    LocateIndex index;
    index.reserve(recordCount());
    for (int r = 0; r < recordCount(); ++r) {
      const Row& row = (*rows_)[static_cast<size_t>(r)];
      QString key;
      bool possible = true;
      for (size_t k = 0; k < keys.size() && possible; ++k) {
        const bool asInteger = !keys[k].second.isNull() && isIntegerType(keys[k].second);
        possible = storedPart(key, row[static_cast<size_t>(indexes[k])], asInteger);
      }
      if (possible && !index.contains(key)) index.insert(key, r);
    }
    it = locateIndexes_->emplace(signature, std::move(index)).first;
  }
  QString wanted;
  for (const auto& key : keys) wantedPart(wanted, key.second);
  const auto found = it->second.constFind(wanted);
  if (found == it->second.constEnd()) return false;
  pos_ = found.value();
  return true;
}

QString DataSet::textOf(const QVariant& v) {
  if (v.isNull()) return QString();
  switch (v.typeId()) {
    case QMetaType::QByteArray:
      return QString::fromUtf8(v.toByteArray());
    case QMetaType::QDate:
      return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
      return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Double: {
      // Shortest text that reads back as the same number, with "." as separator.
      const double d = v.toDouble();
      return QString::number(d, 'g', 15);
    }
    default:
      return v.toString();
  }
}

qint64 DataSet::integerOf(const QVariant& v) {
  if (v.isNull()) return 0;
  bool ok = false;
  const qlonglong i = v.toLongLong(&ok);
  if (ok) return i;
  const double d = numberOf(v);
  return static_cast<qint64>(std::llround(d));
}

double DataSet::numberOf(const QVariant& v) {
  if (v.isNull()) return 0.0;
  if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
    const QString s = textOf(v).trimmed();
    if (s.isEmpty()) return 0.0;
    bool ok = false;
    double d = s.toDouble(&ok);
    if (!ok) d = QString(s).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok) throw DbError(QStringLiteral("'%1' nie jest liczbą").arg(s));
    return d;
  }
  bool ok = false;
  const double d = v.toDouble(&ok);
  if (!ok) throw DbError(QStringLiteral("'%1' nie jest liczbą").arg(textOf(v)));
  return d;
}

std::optional<Currency> DataSet::currencyOf(const QVariant& v) {
  if (v.isNull()) return std::nullopt;
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return Currency{v.toLongLong() * 10000};
    case QMetaType::QString:
    case QMetaType::QByteArray: {
      const QString s = textOf(v).trimmed();
      if (s.isEmpty()) return Currency{};
      if (auto c = Currency::fromDecimalText(s)) return c;
      return Currency::fromDouble(numberOf(v));  // exponent forms such as "1e-05"
    }
    default:
      return Currency::fromDouble(numberOf(v));
  }
}

QDateTime DataSet::dateTimeOf(const QVariant& v) {
  if (v.isNull()) return QDateTime(zeroDate(), QTime(0, 0));
  switch (v.typeId()) {
    case QMetaType::QDate:
      return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
      return v.toDateTime();
    default: {
      const QString s = textOf(v).trimmed();
      if (s.isEmpty()) return QDateTime(zeroDate(), QTime(0, 0));
      QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
      if (!dt.isValid()) dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
      if (!dt.isValid()) dt = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
      if (!dt.isValid()) {
        const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
        if (d.isValid()) dt = QDateTime(d, QTime(0, 0));
      }
      if (!dt.isValid()) throw DbError(QStringLiteral("'%1' nie jest datą").arg(s));
      return dt;
    }
  }
}

QString DataSet::text(QStringView field) const { return textOf(cell(field)); }
qint64 DataSet::integer(QStringView field) const { return integerOf(cell(field)); }
double DataSet::number(QStringView field) const { return numberOf(cell(field)); }
Currency DataSet::currency(QStringView field) const { return currencyOf(cell(field)).value_or(Currency{}); }
std::optional<Currency> DataSet::currencyOrNull(QStringView field) const { return currencyOf(cell(field)); }
namespace {

// The date of a stored text that starts with "yyyy-MM-dd", alone or followed by a time of day
// before 24:00 (the date a full parse gives too, without making a local date-time of it, which
// asks the system for its time zone); an invalid date otherwise.
QDate leadingDate(const QVariant& v) {
  if (v.typeId() != QMetaType::QString) return QDate();
  const QString s = v.toString().trimmed();
  if (s.size() < 10) return QDate();
  if (s.size() > 10) {
    const QChar separator = s.at(10);
    if (separator != QLatin1Char(' ') && separator != QLatin1Char('T')) return QDate();
    if (s.size() < 13 || s.at(11) > QLatin1Char('2') || (s.at(11) == QLatin1Char('2') && s.at(12) > QLatin1Char('3')))
      return QDate();
  }
  for (int i = 0; i < 10; ++i) {
    const bool dash = i == 4 || i == 7;
    if (dash ? s.at(i) != QLatin1Char('-') : !s.at(i).isDigit()) return QDate();
  }
  return QDate(QStringView(s).left(4).toInt(), QStringView(s).mid(5, 2).toInt(), QStringView(s).mid(8, 2).toInt());
}

}  // namespace

QDate DataSet::date(QStringView field) const {
  const QVariant& v = cell(field);
  const QDate quick = leadingDate(v);
  return quick.isValid() ? quick : dateTimeOf(v).date();
}
QDateTime DataSet::dateTime(QStringView field) const { return dateTimeOf(cell(field)); }

}  // namespace wertalo::db
