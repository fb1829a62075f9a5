#include "core/db/db_error.h"

namespace wertalo::db {

namespace {

QString compose(const QString& engineText, const QString& statement) {
  if (statement.isEmpty()) return engineText;
  return engineText + QStringLiteral("\nZapytanie: ") + statement.trimmed();
}

}  // namespace

DbError::DbError(const QString& engineText, const QString& statement)
    : Error(ErrorKind::Database, compose(engineText, statement)),
      engineText_(engineText),
      statement_(statement) {}

}  // namespace wertalo::db
