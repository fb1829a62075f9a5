#include "core/db/db_error.h"

namespace wertalo::db {

namespace {

QString compose(const QString& engineText, const QString& statement) {
  if (statement.isEmpty()) return engineText;
  return engineText + QStringLiteral("\nZapytanie: ") + statement.trimmed();
}

}  // namespace

DbError::DbError(const QString& engineText, const QString& statement)
    : std::runtime_error(compose(engineText, statement).toStdString()),
      engineText_(engineText),
      statement_(statement) {}

QString DbError::message() const { return compose(engineText_, statement_); }

}  // namespace wertalo::db
