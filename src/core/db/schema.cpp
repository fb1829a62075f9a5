#include "core/db/schema.h"

#include <QRegularExpression>

#include "core/db/connection.h"

namespace wertalo::db {

void applySchema(Connection& connection) { connection.executeScript(schemaSql()); }

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
