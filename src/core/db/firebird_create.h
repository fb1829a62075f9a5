// Wertalo: creating and dropping a database on a Firebird server (the demo installation and
// the tests need a database of their own; the product's database is never created).
#pragma once

#include <QString>

namespace wertalo::db {

// Makes sure the database "host:path" (or "host/port:path") exists: attaches to it, and when
// that fails creates it with the character set UTF8. Returns true when it was created, false
// when it existed. Failure raises DbError with the server's text.
bool ensureFirebirdDatabase(const QString& server, const QString& user, const QString& password);

// Drops the database. Failure raises DbError with the server's text.
void dropFirebirdDatabase(const QString& server, const QString& user, const QString& password);

}  // namespace wertalo::db
