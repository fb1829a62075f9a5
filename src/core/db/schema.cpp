#include "core/db/schema.h"

#include <QRegularExpression>

#include "core/db/connection.h"

namespace wertalo::db {

namespace {

bool isIndex(const QString& statement) {
  static const QRegularExpression createIndex(QStringLiteral("^\\s*CREATE\\s+INDEX\\s"), QRegularExpression::CaseInsensitiveOption);
  return createIndex.match(statement).hasMatch();
}

// The statements of the schema that create indexes (or those that do not).
QString schemaPart(bool indexes) {
  QString script;
  for (const QString& statement : splitScript(schemaSql())) {
    if (isIndex(statement) == indexes) script += statement + QStringLiteral(";\n");
  }
  return script;
}

}  // namespace

void applySchema(Connection& connection) {
  applySchemaTables(connection);
  applySchemaIndexes(connection);
}

void applySchemaTables(Connection& connection) { connection.executeScript(schemaPart(false)); }

void applySchemaIndexes(Connection& connection) { connection.executeScript(schemaPart(true)); }

QStringList schemaTableNames() {
  static const QRegularExpression create(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
  QStringList names;
  for (const QString& statement : splitScript(schemaSql())) {
    const QRegularExpressionMatch m = create.match(statement);
    if (m.hasMatch()) names.append(m.captured(1));
  }
  return names;
}

}  // namespace wertalo::db
