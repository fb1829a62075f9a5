// Fuzzes the texts of the FTP protocol the client reads from a server or from FtpHost.ini: the
// input, as text, is a listing line, a reply and a server name at once.
// Properties: no crash; the name taken from a listing line is the end of that line and starts
// with no blank; a directory is one whose line starts with "d" or holds "<DIR>"; any name without leading blanks comes back whole, with its kind, from a Unix and
// from a DOS line built around it; a reply code is 0 or the reply's first three digits; a
// quoted path is empty for a reply without a quote; a server name taken is a valid host name
// with a port from 1 to 65535, and one refused says why.
#include "core/sending/ftp_text.h"
#include "fuzz_support.h"

using namespace wertalo;
using namespace wertalo::sending;
using wertalo::fuzz::fail;
using wertalo::fuzz::shown;

namespace {

// The name of a listing line and whether it is a directory.
std::pair<QString, bool> entryOf(const QString& line) {
  bool directory = false;
  const QString name = GetNameFromDirLine(line, directory);
  return {name, directory};
}

void checkListingLine(const QString& line) {
  const auto [name, directory] = entryOf(line);
  if (!line.endsWith(name)) fail("the name is the end of its line", shown(line) + QStringLiteral(" -> ") + shown(name));
  if (name.startsWith(u' ')) fail("the name starts with no blank", shown(line) + QStringLiteral(" -> ") + shown(name));
  if (directory && !line.startsWith(u'd') && !line.contains(QStringLiteral("<DIR>"))) fail("a directory is marked so", shown(line));
}

void checkBuiltLines(const QString& text) {
  qsizetype lead = 0;
  while (lead < text.size() && text.at(lead) == u' ') ++lead;
  const QString name = text.mid(lead);
  const struct {
    QString line;
    bool directory;
  } lines[] = {
      {QStringLiteral("drwxr-xr-x    2 ftp      ftp          4096 Jan 09 12:00 ") + name, true},
      {QStringLiteral("-rw-r--r-- 1 wlasciciel grupa 1048576 Dec 31  2024 ") + name, false},
      {QStringLiteral("01-09-25  12:00PM       <DIR>          ") + name, true},
      {QStringLiteral("12-31-24  09:15AM              1048576 ") + name, false},
  };
  for (const auto& built : lines) {
    const auto [got, directory] = entryOf(built.line);
    if (got != name || directory != built.directory) {
      fail("a name comes back whole from a built line", shown(built.line) + QStringLiteral(" -> ") + shown(got));
    }
  }
}

void checkReply(const QString& reply) {
  const int code = replyCode(reply);
  if (code < 0 || code > 999) fail("a reply code has three digits", shown(reply));
  if (code != 0 && reply.left(3).toInt() != code) fail("a reply code is the reply's first three digits", shown(reply));
  if (!reply.contains(u'"') && !quotedPath(reply).isEmpty()) fail("no quote, no path", shown(reply));
}

void checkServerName(const QString& text) {
  QString error;
  const std::optional<HostAndPort> server = parseServerName(text, &error);
  if (!server) {
    if (error.isEmpty()) fail("a refused server name says why", shown(text));
    return;
  }
  if (!isValidHostName(server->host)) fail("a server name taken is a host name", shown(text) + QStringLiteral(" -> ") + shown(server->host));
  if (server->port < 1 || server->port > 65535) fail("a server's port is from 1 to 65535", shown(text));
  if (hasLineBreak(server->host)) fail("a host name holds no line break", shown(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = fuzz::textFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  checkListingLine(text);
  checkBuiltLines(text);
  checkReply(text);
  checkServerName(text);
  return 0;
}
