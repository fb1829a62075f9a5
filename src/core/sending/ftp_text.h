// Wertalo: texts of the FTP protocol: server replies, listing lines, server names.
#pragma once

#include <QString>

#include <optional>

namespace wertalo::sending {

// The name of the entry on one line of a detailed listing (Unix or DOS style); `IsDirectory`
// tells whether it is a directory. Fields are cut off one by one up to the name: eight of
// them on a Unix line, three on a DOS line (one whose third field is "<DIR>" or starts with
// a digit); blanks inside the name are kept.
QString GetNameFromDirLine(QString Line, bool& IsDirectory);

// The three-digit code a server reply line starts with ("550 No such file" gives 550); 0 when none.
int replyCode(const QString& reply);

// The path quoted in a reply such as `257 "/a ""b""" is the current directory` ("/a \"b\""),
// doubled quotes read as one; empty when there is none.
QString quotedPath(const QString& reply);

// Whether the text holds a line break or a NUL (it could never be sent as one command).
bool hasLineBreak(const QString& text);

// Whether the text is a host name, an IPv4 address or an IPv6 address (without brackets).
bool isValidHostName(const QString& host);

// A server as "FtpHost.ini" keeps it: HOST, HOST:PORT, [IPV6] or [IPV6]:PORT (port 21 when
// none). Nothing when the text is no such name; `error` then says why in Polish.
struct HostAndPort {
  QString host;
  int port = 21;
};
std::optional<HostAndPort> parseServerName(const QString& text, QString* error = nullptr);

// Why a step stopped: on request, or because the server was silent for `seconds`.
inline const QString kAbortedReason = QStringLiteral("przesyłanie przerwane na żądanie użytkownika");
QString timedOutReason(int seconds);

}  // namespace wertalo::sending
