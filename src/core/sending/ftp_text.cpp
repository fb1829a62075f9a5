#include "core/sending/ftp_text.h"

#include <QRegularExpression>

namespace wertalo::sending {

QString GetNameFromDirLine(QString Line, bool& IsDirectory) {
  IsDirectory = Line.startsWith(u'd');
  bool DosListing = false;
  for (int i = 0; i < 8; ++i) {
    const qsizetype blank = Line.indexOf(u' ');
    if (i == 2 && !IsDirectory) {
      IsDirectory = Line.left(blank < 0 ? Line.size() : blank) == QLatin1StringView("<DIR>");
      DosListing = IsDirectory || (!Line.isEmpty() && Line.at(0).isDigit());
    }
    Line.remove(0, blank + 1);  // nothing when there is no blank
    qsizetype lead = 0;
    while (lead < Line.size() && Line.at(lead) == u' ') ++lead;
    Line.remove(0, lead);
    if (DosListing && i == 2) break;
  }
  return Line;
}

int replyCode(const QString& reply) {
  if (reply.size() < 3) return 0;
  for (int i = 0; i < 3; ++i) {
    if (!reply.at(i).isDigit() || reply.at(i).unicode() > u'9') return 0;
  }
  if (reply.size() > 3 && reply.at(3) != u' ' && reply.at(3) != u'-') return 0;
  return reply.left(3).toInt();
}

QString quotedPath(const QString& reply) {
  const qsizetype open = reply.indexOf(u'"');
  if (open < 0) return QString();
  QString path;
  for (qsizetype i = open + 1; i < reply.size(); ++i) {
    if (reply.at(i) != u'"') {
      path += reply.at(i);
    } else if (i + 1 < reply.size() && reply.at(i + 1) == u'"') {
      path += u'"';
      ++i;
    } else {
      return path;
    }
  }
  return QString();  // no closing quote
}

bool hasLineBreak(const QString& text) {
  return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

bool isValidHostName(const QString& host) {
  // Anchored at the very end: "$" alone would also take a name followed by a line break.
  static const QRegularExpression name(QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9_]([A-Za-z0-9_.-]*[A-Za-z0-9_.])?")));
  static const QRegularExpression ipv6(QRegularExpression::anchoredPattern(QStringLiteral("[0-9A-Fa-f:.]*:[0-9A-Fa-f:.]*")));
  return name.match(host).hasMatch() || ipv6.match(host).hasMatch();
}

std::optional<HostAndPort> parseServerName(const QString& text, QString* error) {
  const QString trimmed = text.trimmed();
  HostAndPort result;
  bool valid = true;
  bool hasPort = false;
  QString portText;
  if (trimmed.startsWith(u'[')) {
    const qsizetype close = trimmed.indexOf(u']');
    const QString rest = close < 0 ? QString() : trimmed.mid(close + 1);
    valid = close > 0 && (rest.isEmpty() || rest.startsWith(u':'));
    result.host = trimmed.mid(1, close - 1);
    hasPort = !rest.isEmpty();
    portText = rest.mid(1);
  } else if (trimmed.count(u':') == 1) {
    result.host = trimmed.section(u':', 0, 0);
    hasPort = true;
    portText = trimmed.section(u':', 1);
  } else {
    result.host = trimmed;
  }
  static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+")));
  if (!valid || !isValidHostName(result.host) || (hasPort && !digits.match(portText).hasMatch())) {
    if (error) *error = QStringLiteral("Niepoprawna nazwa serwera FTP: \"%1\" (oczekiwano HOST albo HOST:PORT)").arg(text);
    return std::nullopt;
  }
  if (hasPort) {
    bool ok = false;
    result.port = portText.toInt(&ok);
    if (!ok || result.port < 1 || result.port > 65535) {
      if (error) *error = QStringLiteral("Niepoprawny port serwera FTP w \"%1\" (oczekiwano liczby od 1 do 65535)").arg(text);
      return std::nullopt;
    }
  }
  return result;
}

QString timedOutReason(int seconds) {
  return QStringLiteral("serwer nie odpowiedział w ciągu %1 s").arg(seconds);
}

}  // namespace wertalo::sending
