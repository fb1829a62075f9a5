// Wertalo: handing the archive to the product's own sending program.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace wertalo::db {
class Connection;
class DataSet;
}  // namespace wertalo::db

namespace wertalo::sending {

// The product's sending program, as the product's configuration names it.
struct ExternalSender {
  QString PathMain;          // the product's main folder
  QString CommunicationSrv;  // the program file, relative to PathMain; empty: no such program
  bool budgetUnitProduct = false;  // RodzajProg is rBudzetJB ("Kalmeto Morsal"), else "Kalmeto Tervik"
};

// The sending user: a row of the product's user table USER_.
struct SenderUser {
  QString USERID;
  QString LOGIN;
  QString IMIE;      // first name
  QString NAZWISKO;  // last name
};

// Whether the external route is offered: exactly when the product names a sending program.
bool MozliwaWysylkaOldschoolowa(const QString& CommunicationSrv);

// The product's name in the descriptor: "Kalmeto Morsal" or "Kalmeto Tervik".
QString senderSystemName(bool budgetUnitProduct);

// "eksport.xml" in the archive's folder.
QString descriptorPath(const QString& archivePath);
// "wysylka.txt" in the product's main folder.
QString commandFilePath(const ExternalSender& sender);
// The sending program's full path: PathMain, "/", CommunicationSrv.
QString senderProgramPath(const ExternalSender& sender);

// The descriptor "eksport.xml": root `filerepository` with `system`, `filepath` and
// `description` (both the archive's path) and, for a user, `user` with `id`, `login`,
// `firstname`, `lastname` (UTF-8 with a byte-order mark, CR LF, two-space indent).
QByteArray descriptorBytes(bool budgetUnitProduct, const QString& archivePath, const std::optional<SenderUser>& user);

// The preview of the descriptor, one line per row; values as they are, `description` empty.
QStringList ZapiszOpisWysylkaOlschoolowa(bool budgetUnitProduct, const QString& archivePath,
                                         const std::optional<SenderUser>& user);

// The one line of "wysylka.txt": the program's path and the descriptor's path, each in
// double quotes, a blank between, CR LF after.
QByteArray commandFileBytes(const ExternalSender& sender, const QString& descriptor);

// The product's user table ("select * from USER_").
db::DataSet readUsers(db::Connection& connection);
// The user whose LOGIN is exactly `login`; nothing for an empty login or when none is.
std::optional<SenderUser> userByLogin(db::DataSet& users, const QString& login);
// "Zaloguj": the user whose LOGIN and PAS are exactly the texts given (an empty PAS column
// matches only the empty password); nothing for an empty login or when none is.
std::optional<SenderUser> Zaloguj(db::DataSet& users, const QString& login, const QString& password);

// What Finish on the sender page did.
struct ExternalSendResult {
  QString descriptor;   // the "eksport.xml" written
  QString commandFile;  // the "wysylka.txt" written
  QString program;      // the program started
  bool started = false; // whether the program could be started
};

// Finish on the sender page: writes "eksport.xml" beside the archive and "wysylka.txt" in the
// product's main folder, each whole, then starts the sending program detached with the
// descriptor's path as its one argument. Raises SendingError when no program is configured or
// the archive is missing (nothing is written then) and platform::PlatformError when a file cannot be written (the
// program is not started then).
ExternalSendResult WykonajWysylkaOldschoolowa(const ExternalSender& sender, const QString& archivePath,
                                              const std::optional<SenderUser>& user);

}  // namespace wertalo::sending
