#include "core/sending/external_sender.h"

#include <QFileInfo>

#include <utility>
#include <vector>

#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/platform/file_write.h"
#include "core/platform/paths.h"
#include "core/platform/process.h"
#include "core/sending/sending_error.h"

namespace wertalo::sending {

namespace {

using Field = std::pair<const char*, QString>;

// The user's fields in the order the descriptor and the preview list them.
std::vector<Field> userFields(const SenderUser& user) {
  return {{"id", user.USERID}, {"login", user.LOGIN}, {"firstname", user.IMIE}, {"lastname", user.NAZWISKO}};
}

// Element text: "&", "<", ">" escaped; characters XML does not allow dropped.
QString xmlText(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      out += c;
      out += text.at(++i);
      continue;
    }
    const char16_t u = c.unicode();
    if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF || (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D)) continue;
    if (u == u'&') out += QStringLiteral("&amp;");
    else if (u == u'<') out += QStringLiteral("&lt;");
    else if (u == u'>') out += QStringLiteral("&gt;");
    else out += c;
  }
  return out;
}

QString textElement(const char* name, const QString& text, bool escaped) {
  const QString tag = QString::fromLatin1(name);
  return u'<' + tag + u'>' + (escaped ? xmlText(text) : text) + QStringLiteral("</") + tag + u'>';
}

std::optional<SenderUser> currentUser(const db::DataSet& users) {
  return SenderUser{users.text(u"USERID"), users.text(u"LOGIN"), users.text(u"IMIE"), users.text(u"NAZWISKO")};
}

// The first user row whose fields read exactly as the texts given (a Null column reads as "").
std::optional<SenderUser> findUser(db::DataSet& users, const std::vector<std::pair<const char16_t*, QString>>& wanted) {
  for (users.first(); !users.eof(); users.next()) {
    bool match = true;
    for (const auto& [field, value] : wanted) match = match && users.text(field) == value;
    if (match) return currentUser(users);
  }
  return std::nullopt;
}

}  // namespace

bool MozliwaWysylkaOldschoolowa(const QString& CommunicationSrv) { return !CommunicationSrv.isEmpty(); }

QString senderSystemName(bool budgetUnitProduct) {
  return budgetUnitProduct ? QStringLiteral("Kalmeto Morsal") : QStringLiteral("Kalmeto Tervik");
}

QString descriptorPath(const QString& archivePath) {
  return platform::joinPath(QFileInfo(archivePath).path(), QStringLiteral("eksport.xml"));
}

QString commandFilePath(const ExternalSender& sender) {
  return platform::joinPath(sender.PathMain, QStringLiteral("wysylka.txt"));
}

QString senderProgramPath(const ExternalSender& sender) {
  return platform::joinPath(sender.PathMain, platform::nativePath(sender.CommunicationSrv));
}

QByteArray descriptorBytes(bool budgetUnitProduct, const QString& archivePath, const std::optional<SenderUser>& user) {
  QStringList lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"), QStringLiteral("<filerepository>")};
  lines << QStringLiteral("  ") + textElement("system", senderSystemName(budgetUnitProduct), true)
        << QStringLiteral("  ") + textElement("filepath", archivePath, true)
        << QStringLiteral("  ") + textElement("description", archivePath, true);
  if (user) {
    lines << QStringLiteral("  <user>");
    for (const auto& [name, value] : userFields(*user)) lines << QStringLiteral("    ") + textElement(name, value, true);
    lines << QStringLiteral("  </user>");
  }
  lines << QStringLiteral("</filerepository>");
  return QByteArray("\xEF\xBB\xBF") + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QStringList ZapiszOpisWysylkaOlschoolowa(bool budgetUnitProduct, const QString& archivePath,
                                         const std::optional<SenderUser>& user) {
  QStringList lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), QStringLiteral("<filerepository>"),
                    textElement("system", senderSystemName(budgetUnitProduct), false),
                    textElement("filepath", archivePath, false), QStringLiteral("<description></description>")};
  if (user) {
    lines << QStringLiteral("<user>");
    for (const auto& [name, value] : userFields(*user)) lines << textElement(name, value, false);
    lines << QStringLiteral("</user>");
  }
  lines << QStringLiteral("</filerepository>");
  return lines;
}

QByteArray commandFileBytes(const ExternalSender& sender, const QString& descriptor) {
  // The line names files, so it is written in the file system's encoding.
  const QString line = u'"' + senderProgramPath(sender) + QStringLiteral("\" \"") + descriptor + u'"';
  return (line + QStringLiteral("\r\n")).toUtf8();
}

db::DataSet readUsers(db::Connection& connection) { return db::openSql(connection, QStringLiteral("select * from USER_")); }

std::optional<SenderUser> userByLogin(db::DataSet& users, const QString& login) {
  if (login.isEmpty()) return std::nullopt;
  return findUser(users, {{u"LOGIN", login}});
}

std::optional<SenderUser> Zaloguj(db::DataSet& users, const QString& login, const QString& password) {
  if (login.isEmpty()) return std::nullopt;
  return findUser(users, {{u"LOGIN", login}, {u"PAS", password}});
}

ExternalSendResult WykonajWysylkaOldschoolowa(const ExternalSender& sender, const QString& archivePath,
                                              const std::optional<SenderUser>& user) {
  if (!MozliwaWysylkaOldschoolowa(sender.CommunicationSrv))
    throw SendingError(QStringLiteral("Konfiguracja programu nie wskazuje programu wysyłającego (CommunicationSrv)."));
  if (!QFileInfo(archivePath).isFile())
    throw SendingError(QStringLiteral("Archiwum \"%1\" nie istnieje; przesyłka nie została przekazana do programu wysyłającego.")
                           .arg(archivePath));
  ExternalSendResult result;
  result.descriptor = descriptorPath(archivePath);
  result.commandFile = commandFilePath(sender);
  result.program = senderProgramPath(sender);
  platform::writeFileWhole(result.descriptor, descriptorBytes(sender.budgetUnitProduct, archivePath, user));
  platform::writeFileWhole(result.commandFile, commandFileBytes(sender, result.descriptor));
  result.started = platform::startDetached(result.program, result.descriptor);
  return result;
}

}  // namespace wertalo::sending
