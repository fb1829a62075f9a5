#include "core/db/db_error.h"

namespace wertalo::db {

namespace {

QString compose(const QString& engineText, const QString& statement, const QString& lead) {
  QString text = lead.isEmpty() ? engineText : lead + QLatin1Char('\n') + engineText;
  if (!statement.isEmpty()) text += QStringLiteral("\nZapytanie: ") + statement.trimmed();
  return text;
}

}  // namespace

DbError::DbError(const QString& engineText, const QString& statement, const QString& lead)
    : Error(ErrorKind::Database, compose(engineText, statement, lead)),
      engineText_(engineText),
      statement_(statement),
      lead_(lead) {}

DbError DbError::withLead(const QString& lead) const {
  return lead_.isEmpty() ? DbError(engineText_, statement_, lead) : *this;
}

}  // namespace wertalo::db
