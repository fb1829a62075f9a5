#include "core/db/data_set.h"

#include <QByteArray>

#include <cmath>

#include "core/db/db_error.h"

namespace wertalo::db {

using text::Currency;

QDate zeroDate() { return QDate(1899, 12, 30); }

DataSet::DataSet(QStringList fieldNames, std::vector<Row> rows)
    : fieldNames_(std::move(fieldNames)), rows_(std::move(rows)) {}

int DataSet::fieldIndex(QStringView name) const {
  for (int i = 0; i < fieldNames_.size(); ++i) {
    if (QStringView(fieldNames_[i]).compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

const QVariant& DataSet::cell(QStringView field) const {
  const int index = fieldIndex(field);
  if (index < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(field.toString()));
  if (eof()) throw DbError(QStringLiteral("Brak bieżącego wiersza przy odczycie pola '%1'").arg(field.toString()));
  return rows_[static_cast<size_t>(pos_)][static_cast<size_t>(index)];
}

QVariant DataSet::value(QStringView field) const { return cell(field); }

bool DataSet::isNull(QStringView field) const { return cell(field).isNull(); }

namespace {

bool sameValue(const QVariant& stored, const QVariant& wanted) {
  if (stored.isNull() || wanted.isNull()) return stored.isNull() && wanted.isNull();
  switch (wanted.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
      bool ok = false;
      const qlonglong v = stored.toLongLong(&ok);
      return ok && v == wanted.toLongLong();
    }
    default:
      return DataSet::textOf(stored) == DataSet::textOf(wanted);
  }
}

}  // namespace

bool DataSet::locate(const std::vector<KeyValue>& keys) {
  std::vector<int> indexes;
  for (const auto& key : keys) {
    const int index = fieldIndex(key.first);
    if (index < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(key.first));
    indexes.push_back(index);
  }
  for (int r = 0; r < recordCount(); ++r) {
    const Row& row = rows_[static_cast<size_t>(r)];
    bool match = true;
    for (size_t k = 0; k < keys.size() && match; ++k) {
      match = sameValue(row[static_cast<size_t>(indexes[k])], keys[k].second);
    }
    if (match) {
      pos_ = r;
      return true;
    }
  }
  return false;
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
QDate DataSet::date(QStringView field) const { return dateTimeOf(cell(field)).date(); }
QDateTime DataSet::dateTime(QStringView field) const { return dateTimeOf(cell(field)); }

}  // namespace wertalo::db
