#include "core/db/firebird_create.h"

#include <ibase.h>

#include <QByteArray>
#include <QStringList>

#include "core/db/db_error.h"

namespace wertalo::db {

namespace {

bool failed(const ISC_STATUS* status) { return status[0] == 1 && status[1] != 0; }

// The server's messages of a failed call, one per line.
QString statusText(const ISC_STATUS* status) {
  QStringList lines;
  const ISC_STATUS* cursor = status;
  char buffer[1024];
  while (fb_interpret(buffer, sizeof buffer, &cursor) > 0) lines.append(QString::fromUtf8(buffer));
  return lines.isEmpty() ? QStringLiteral("nieznany błąd serwera Firebird") : lines.join(QLatin1Char('\n'));
}

QByteArray quoted(const QString& text) {
  return '\'' + text.toUtf8().replace('\'', "''") + '\'';
}

// Database parameter block: user, password and the connection character set.
QByteArray parameterBlock(const QString& user, const QString& password) {
  QByteArray dpb;
  dpb.append(char(isc_dpb_version1));
  auto add = [&dpb](char item, const QByteArray& value) {
    dpb.append(item);
    dpb.append(static_cast<char>(qMin<qsizetype>(value.size(), 255)));
    dpb.append(value.left(255));
  };
  add(char(isc_dpb_user_name), user.toUtf8());
  add(char(isc_dpb_password), password.toUtf8());
  add(char(isc_dpb_lc_ctype), QByteArrayLiteral("UTF8"));
  return dpb;
}

// Attaches; returns the handle or 0, with the status filled.
isc_db_handle attach(const QString& server, const QString& user, const QString& password, ISC_STATUS* status) {
  isc_db_handle handle = 0;
  const QByteArray path = server.toUtf8();
  const QByteArray dpb = parameterBlock(user, password);
  isc_attach_database(status, static_cast<short>(path.size()), path.constData(), &handle, static_cast<short>(dpb.size()),
                      dpb.constData());
  return failed(status) ? 0 : handle;
}

}  // namespace

bool ensureFirebirdDatabase(const QString& server, const QString& user, const QString& password) {
  ISC_STATUS_ARRAY status = {};
  isc_db_handle handle = attach(server, user, password, status);
  if (handle != 0) {
    isc_detach_database(status, &handle);
    return false;
  }
  const QByteArray sql = "CREATE DATABASE " + quoted(server) + " USER " + quoted(user) + " PASSWORD " + quoted(password) +
                         " DEFAULT CHARACTER SET UTF8";
  isc_tr_handle transaction = 0;
  handle = 0;
  isc_dsql_execute_immediate(status, &handle, &transaction, 0, sql.constData(), SQL_DIALECT_V6, nullptr);
  if (failed(status)) throw DbError(statusText(status), QStringLiteral("CREATE DATABASE '%1'").arg(server));
  isc_detach_database(status, &handle);
  return true;
}

void dropFirebirdDatabase(const QString& server, const QString& user, const QString& password) {
  ISC_STATUS_ARRAY status = {};
  isc_db_handle handle = attach(server, user, password, status);
  if (handle == 0) throw DbError(statusText(status), server);
  isc_drop_database(status, &handle);
  if (failed(status)) {
    const QString text = statusText(status);
    isc_detach_database(status, &handle);
    throw DbError(text, QStringLiteral("DROP DATABASE"));
  }
}

}  // namespace wertalo::db
