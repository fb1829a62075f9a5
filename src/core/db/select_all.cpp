#include "core/db/select_all.h"

#include <QRegularExpression>
#include <QStringList>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/query.h"

namespace wertalo::db {

namespace {

// Characters of a text read inline, shared by the text columns of a row (a row the server
// sends stays well inside its 64 KB limit even at four bytes a character, and its rows come
// many to a packet).
constexpr int kInlineCharacters = 1000;

// Whether a column name can stand in a statement unquoted.
bool isPlainName(const QString& name) {
  static const QRegularExpression plain(QRegularExpression::anchoredPattern(QStringLiteral("[A-Z][A-Z0-9_$]*")));
  return plain.match(name).hasMatch();
}

// The columns of a table; nothing when it cannot be described or has no columns.
std::shared_ptr<const TableColumns> describe(Connection& connection, const QString& table) {
  DataSet columns;
  try {
    Query query(connection);
    query.setSql(connection.dialect().columnTypesSql());
    query.bindText(QStringLiteral("TABLE"), table);
    columns = query.open();
  } catch (const DbError&) {
    return nullptr;  // read as written; its own error, if any, is the one the user sees
  }
  QStringList names;
  QStringList texts;
  for (const DataSet::Row& column : columns.rows()) {
    const QString name = DataSet::textOf(column.at(0)).trimmed();
    if (!isPlainName(name)) return nullptr;
    if (DataSet::integerOf(column.at(1)) != 0) texts << name;
    names << name;
  }
  if (names.isEmpty()) return nullptr;
  auto described = std::make_shared<TableColumns>();
  described->fields = std::make_shared<FieldIndex>(names);
  QStringList select = names;
  if (!texts.isEmpty()) {
    const int characters = kInlineCharacters / static_cast<int>(texts.size());
    QStringList tooLong;
    for (QString& name : select) {
      if (!texts.contains(name)) continue;
      tooLong << QStringLiteral("char_length(%1) > %2").arg(name).arg(characters);
      name = QStringLiteral("case when char_length(%1) <= %2 then cast(%1 as varchar(%2)) end as %1").arg(name).arg(characters);
    }
    select << QStringLiteral("case when %1 then 1 else 0 end as WERTALO_LONG_TEXT").arg(tooLong.join(QStringLiteral(" or ")));
    described->longTextFlag = true;
  }
  described->selectList = select.join(QStringLiteral(", "));
  return described;
}

}  // namespace

std::optional<SpelledSelect> spelledOutSelectAll(Connection& connection, const QString& sql) {
  if (connection.dialect().columnTypesSql().isEmpty()) return std::nullopt;  // rows come whole
  static const QRegularExpression selectAll(
      QRegularExpression::anchoredPattern(QStringLiteral(R"(\s*select\s+\*\s+from\s+([A-Za-z][A-Za-z0-9_$]*)((?:\s+(?:where|order\s+by)\s.*)?\s*))")),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  // A union brings the columns of another select: left as written.
  static const QRegularExpression union_(QStringLiteral(R"(\bunion\b)"), QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = selectAll.match(sql);
  if (!match.hasMatch() || match.captured(2).contains(union_)) return std::nullopt;
  // Unquoted names are stored in capitals.
  const QString table = match.captured(1).toUpper();
  std::shared_ptr<const TableColumns> columns;
  if (const std::shared_ptr<const TableColumns>* known = connection.knownTableColumns(table)) {
    columns = *known;
  } else {
    columns = connection.rememberTableColumns(table, describe(connection, table));
  }
  if (!columns) return std::nullopt;
  return SpelledSelect{QStringLiteral("select %1 from %2%3").arg(columns->selectList, table, match.captured(2)), columns};
}

}  // namespace wertalo::db
