// Wertalo: the one exception type of the database layer.
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::db {

// A failed statement, connection or read (ErrorKind::Database). Carries the engine's own text
// and the statement, and may carry a Polish lead that says what was being done ("Nie można
// zapisać sprawozdania Rb-27s (identyfikator 1513)."). The message is the lead, then the
// engine text on its own line, then the statement on its own line.
class DbError : public Error {
 public:
  DbError(const QString& engineText, const QString& statement = QString(), const QString& lead = QString());

  const QString& engineText() const { return engineText_; }
  const QString& statement() const { return statement_; }
  // What was being done when the engine failed; empty when the error does not say.
  const QString& lead() const { return lead_; }
  // The same error with `lead` in front; an error that has a lead already keeps its own (the
  // innermost step knows best what failed).
  DbError withLead(const QString& lead) const;

 private:
  QString engineText_;
  QString statement_;
  QString lead_;
};

}  // namespace wertalo::db
