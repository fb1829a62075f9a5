#include "core/db/ids_read.h"

#include <algorithm>

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/query.h"

namespace wertalo::db {

namespace {

// Characters of a text read inline, shared by the text columns of a row (a row the server
// sends stays well inside its 64 KB limit even at four bytes a character).
constexpr int kInlineCharacters = 8000;

// Whether a column name can stand in a statement unquoted (a name that needs quotes is read by
// "select *" as it is).
bool isPlainName(const QString& name) {
  static const QRegularExpression plain(QRegularExpression::anchoredPattern(QStringLiteral("[A-Z][A-Z0-9_$]*")));
  return plain.match(name).hasMatch();
}

}  // namespace

IdStretches splitIds(std::vector<qint64> ids, bool exact) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  IdStretches split;
  for (size_t from = 0; from < ids.size();) {
    size_t to = from + 1;
    // The span of numbers from the first to the next identifier, against the identifiers it would hold.
    const auto fits = [&](size_t next) {
      const quint64 span = static_cast<quint64>(ids[next]) - static_cast<quint64>(ids[from]) + 1;
      const quint64 count = next - from + 1;
      return exact ? span == count : span <= 2 * count;
    };
    while (to < ids.size() && fits(to)) ++to;
    if (to - from >= IdStretches::kRangeFrom) {
      split.ranges.emplace_back(ids[from], ids[to - 1]);
    } else {
      split.listed.insert(split.listed.end(), ids.begin() + static_cast<std::ptrdiff_t>(from),
                          ids.begin() + static_cast<std::ptrdiff_t>(to));
    }
    from = to;
  }
  return split;
}

IdsRead::IdsRead(Connection& connection, const QString& table, const QString& keyField)
    : connection_(&connection), table_(table), keyField_(keyField) {
  const QString describe = connection.dialect().columnTypesSql();
  if (describe.isEmpty()) return;  // the engine reads texts with their row
  DataSet columns;
  try {
    Query query(connection);
    query.setSql(describe);
    query.bindText(QStringLiteral("TABLE"), table.toUpper());
    columns = query.open();
  } catch (const DbError&) {
    return;  // read as "select *" says; its own error, if any, is the one the user sees
  }
  QStringList select;
  QStringList texts;
  for (const DataSet::Row& column : columns.rows()) {
    const QString name = DataSet::textOf(column.at(0)).trimmed();
    if (!isPlainName(name)) return;
    if (DataSet::integerOf(column.at(1)) != 0) texts << name;
    select << name;
  }
  if (texts.isEmpty()) return;
  const int characters = kInlineCharacters / static_cast<int>(texts.size());
  QStringList tooLong;
  for (QString& name : select) {
    if (!texts.contains(name)) continue;
    tooLong << QStringLiteral("char_length(%1) > %2").arg(name).arg(characters);
    name = QStringLiteral("case when char_length(%1) <= %2 then cast(%1 as varchar(%2)) end as %1").arg(name).arg(characters);
  }
  select << QStringLiteral("case when %1 then 1 else 0 end as WERTALO_LONG_TEXT").arg(tooLong.join(QStringLiteral(" or ")));
  inlineColumns_ = select.join(QStringLiteral(", "));
}

QString IdsRead::selectFrom(bool inlineTexts) const {
  return QStringLiteral("select %1 from %2 where %3 ")
      .arg(inlineTexts ? inlineColumns_ : QStringLiteral("*"), table_, keyField_);
}

DataSet IdsRead::read(const std::vector<qint64>& ids, bool inlineTexts) const {
  const IdStretches split = splitIds(ids, false);
  // Without identifiers the statement still runs, so that a table that cannot be read fails alike.
  if (split.ranges.empty() && split.listed.empty()) return openForIds(*connection_, selectFrom(inlineTexts) + QStringLiteral("in"), {});

  const QSet<qint64> wanted(ids.begin(), ids.end());
  std::vector<DataSet> parts;
  for (const auto& [first, last] : split.ranges) {
    Query range(*connection_);
    range.setSql(selectFrom(inlineTexts) + QStringLiteral("between :FIRST_ID and :LAST_ID"));
    range.bindInt(QStringLiteral("FIRST_ID"), first);
    range.bindInt(QStringLiteral("LAST_ID"), last);
    parts.push_back(range.open());
  }
  if (!split.listed.empty()) parts.push_back(openForIds(*connection_, selectFrom(inlineTexts) + QStringLiteral("in"), split.listed));

  // The rows of the wanted identifiers, without the long-text flag.
  const int key = parts.front().fieldIndex(keyField_);
  if (key < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(keyField_));
  const size_t columns = static_cast<size_t>(parts.front().fieldCount() - (inlineTexts ? 1 : 0));
  std::vector<DataSet::Row> rows;
  for (const DataSet& part : parts) {
    for (const DataSet::Row& row : part.rows()) {
      if (inlineTexts && DataSet::integerOf(row[columns]) != 0) return read(ids, false);  // a text too long to come inline
      const QVariant& id = row[static_cast<size_t>(key)];
      bool ok = false;
      if (id.isNull() || !wanted.contains(id.toLongLong(&ok)) || !ok) continue;
      rows.emplace_back(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(columns));
    }
  }
  return DataSet(parts.front().fieldNames().mid(0, static_cast<qsizetype>(columns)), std::move(rows));
}

DataSet IdsRead::rows(const std::vector<qint64>& ids) const {
  if (inlineColumns_.isEmpty()) return read(ids, false);
  try {
    return read(ids, true);
  } catch (const DbError&) {
    // A row too wide for the server with its texts inline: read as "select *" says (its own
    // error, if it has one, is the one the user sees).
    return read(ids, false);
  }
}

}  // namespace wertalo::db
