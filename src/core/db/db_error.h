// Wertalo: the one exception type of the database layer.
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo::db {

// A failed statement, connection or read. Carries the engine's own text and the statement.
class DbError : public std::runtime_error {
 public:
  DbError(const QString& engineText, const QString& statement = QString());

  const QString& engineText() const { return engineText_; }
  const QString& statement() const { return statement_; }
  // Engine text, then the statement on its own line when there is one.
  QString message() const;

 private:
  QString engineText_;
  QString statement_;
};

}  // namespace wertalo::db
