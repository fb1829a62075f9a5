// Wertalo: the one exception type of the database layer.
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::db {

// A failed statement, connection or read (ErrorKind::Database). Carries the engine's own text
// and the statement; the message is the engine text, then the statement on its own line.
class DbError : public Error {
 public:
  DbError(const QString& engineText, const QString& statement = QString());

  const QString& engineText() const { return engineText_; }
  const QString& statement() const { return statement_; }

 private:
  QString engineText_;
  QString statement_;
};

}  // namespace wertalo::db
