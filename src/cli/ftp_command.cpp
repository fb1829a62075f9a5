// Wertalo command line: `wertalo-cli ftp`, the FTP page without the wizard.
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <functional>
#include <map>
#include <optional>

#include <unistd.h>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "core/platform/paths.h"
#include "core/sending/ftp_browser.h"
#include "core/sending/ftp_client.h"
#include "core/sending/ftp_text.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] =
    "Użycie: wertalo-cli ftp [OPCJE] POLECENIE\n"
    "\n"
    "Polecenia serwera FTP (jak na stronie \"Wysyłka na FTP\" kreatora):\n"
    "  put PLIK                 wysyła plik do katalogu zdalnego pod jego nazwą\n"
    "  get NAZWA [--out KAT]    pobiera plik katalogu zdalnego do katalogu KAT (domyślnie\n"
    "                           bieżącego); przerwane pobieranie nie zostawia pliku\n"
    "  ls [--json]              wiersze zawartości katalogu zdalnego (--json: nazwy i rodzaje)\n"
    "  mkdir NAZWA              tworzy katalog\n"
    "  rmdir NAZWA              usuwa katalog\n"
    "  rm NAZWA                 usuwa plik\n"
    "\n"
    "Opcje (domyślne wartości z pliku FtpHost.ini w katalogu konfiguracji):\n"
    "  --server HOST[:PORT]     serwer (ServerName; port domyślnie 21)\n"
    "  --user U                 użytkownik (UserName)\n"
    "  --password-file PLIK     plik z hasłem w pierwszym wierszu (Password)\n"
    "  --dir KATALOG            katalog zdalny (CurrentDir; pusty oznacza \"/\")\n"
    "  --active                 aktywne połączenia danych (domyślnie pasywne)\n"
    "  --timeout S              ile sekund czekać na serwer w każdym kroku (domyślnie 30)\n"
    "  --help                   ta pomoc\n"
    "\n"
    "Postęp przesyłania jest pokazywany tylko na terminalu. Ctrl+C przerywa przesyłanie.\n"
    "Kody wyjścia: 0 wykonano, 1 błąd serwera lub pliku, 2 niepoprawne wywołanie.\n";

struct FtpOptions {
  std::optional<QString> server;
  std::optional<QString> user;
  std::optional<QString> passwordFile;
  std::optional<QString> dir;
  QString out;
  bool active = false;
  bool json = false;
  int timeout = sending::kDefaultFtpTimeoutSeconds;
  QString command;
  QString argument;
};

int usageError(const QString& message) {
  err(message + u"\n(wertalo-cli ftp --help)\n"_s);
  return 2;
}

// The commands, with whether each takes a name.
const std::map<QString, bool>& commandTable() {
  static const std::map<QString, bool> table = {{u"put"_s, true},  {u"get"_s, true},   {u"ls"_s, false},
                                                {u"mkdir"_s, true}, {u"rmdir"_s, true}, {u"rm"_s, true}};
  return table;
}

// Parses the arguments; nothing (with the message written) when they are wrong.
std::optional<FtpOptions> parse(const QStringList& args) {
  FtpOptions o;
  QStringList positional;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    if (arg == u"--active"_s) {
      o.active = true;
    } else if (arg == u"--json"_s) {
      o.json = true;
    } else if (arg.startsWith(u"--"_s)) {
      static const QStringList valued = {u"--server"_s, u"--user"_s, u"--password-file"_s, u"--dir"_s, u"--out"_s,
                                         u"--timeout"_s};
      if (!valued.contains(arg)) {
        usageError(u"Nieznana opcja: %1"_s.arg(arg));
        return std::nullopt;
      }
      if (i + 1 >= args.size()) {
        usageError(u"Brak wartości opcji %1."_s.arg(arg));
        return std::nullopt;
      }
      const QString value = args.at(++i);
      if (arg == u"--server"_s) o.server = value;
      else if (arg == u"--user"_s) o.user = value;
      else if (arg == u"--password-file"_s) o.passwordFile = value;
      else if (arg == u"--dir"_s) o.dir = value;
      else if (arg == u"--out"_s) o.out = value;
      else {
        bool ok = false;
        o.timeout = value.toInt(&ok);
        if (!ok || o.timeout < 1 || o.timeout > 3600) {
          usageError(u"--timeout: oczekiwano liczby sekund od 1 do 3600, podano \"%1\""_s.arg(value));
          return std::nullopt;
        }
      }
    } else {
      positional << arg;
    }
  }
  if (positional.isEmpty()) {
    usageError(u"Nie podano polecenia (put, get, ls, mkdir, rmdir, rm)."_s);
    return std::nullopt;
  }
  o.command = positional.takeFirst();
  const auto command = commandTable().find(o.command);
  if (command == commandTable().end()) {
    usageError(u"Nieznane polecenie FTP: %1"_s.arg(o.command));
    return std::nullopt;
  }
  const qsizetype wanted = command->second ? 1 : 0;
  if (positional.size() != wanted) {
    usageError(command->second ? u"Polecenie %1 wymaga jednej nazwy."_s.arg(o.command)
                               : u"Polecenie %1 nie przyjmuje argumentów."_s.arg(o.command));
    return std::nullopt;
  }
  if (wanted == 1) o.argument = positional.first();
  if (!o.out.isEmpty() && o.command != u"get"_s) {
    usageError(u"Opcja --out dotyczy tylko polecenia get."_s);
    return std::nullopt;
  }
  if (o.json && o.command != u"ls"_s) {
    usageError(u"Opcja --json dotyczy tylko polecenia ls."_s);
    return std::nullopt;
  }
  return o;
}

// Ctrl+C aborts the running transfer, or the next one when none runs yet; a second Ctrl+C
// ends the program as usual.
volatile std::sig_atomic_t interrupted = 0;
sending::FtpClient* interruptedClient = nullptr;

void onInterrupt(int) {
  interrupted = 1;
  if (interruptedClient != nullptr) interruptedClient->abort();
}

// Progress of a transfer on the terminal: the FTP page's status texts on one line.
class TerminalProgress : public sending::FtpEvents {
 public:
  explicit TerminalProgress(sending::TransferMeter& meter) : meter_(meter), terminal_(::isatty(STDERR_FILENO) == 1) {}

  void transferBegin(qint64 expectedBytes, sending::TransferDirection) override {
    meter_.begin(expectedBytes);
    shownMs_ = -1;
  }
  bool transferProgress(qint64 bytes, sending::TransferDirection direction) override {
    const QString text = meter_.progress(bytes, direction);
    const qint64 now = sending::steadyMilliseconds();
    if (terminal_ && (shownMs_ < 0 || now - shownMs_ >= 200)) {
      shownMs_ = now;
      const QString range = meter_.maximum > 0 ? u"%1 / %2 B"_s.arg(bytes).arg(meter_.maximum) : u"%1 B"_s.arg(bytes);
      err(u"\r"_s + text + u"  "_s + range + u"\033[K"_s);
    }
    return interrupted == 0;
  }
  void transferEnd(sending::TransferDirection) override {
    const QString text = meter_.end();
    if (terminal_) err(u"\r"_s + text + u"\033[K\n"_s);
  }

 private:
  sending::TransferMeter& meter_;
  bool terminal_;
  qint64 shownMs_ = -1;
};

struct InterruptGuard {
  explicit InterruptGuard(sending::FtpClient& client) {
    interruptedClient = &client;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous);
  }
  ~InterruptGuard() {
    sigaction(SIGINT, &previous, nullptr);
    interruptedClient = nullptr;
  }
  struct sigaction previous {};
};

QByteArray listingJson(const QStringList& lines) {
  QJsonArray entries;
  for (const QString& line : lines) {
    bool isDirectory = false;
    const QString name = sending::GetNameFromDirLine(line, isDirectory);
    entries.append(QJsonObject{{u"name"_s, name}, {u"directory"_s, isDirectory}, {u"line"_s, line}});
  }
  return QJsonDocument(entries).toJson(QJsonDocument::Indented);
}

// The step the command names, on a connected browser.
int runStep(const FtpOptions& o, sending::FtpBrowser& browser) {
  sending::FtpClient& client = browser.client();
  const QString where = browser.host.CurrentDir;
  if (o.command == u"put"_s) {
    if (!QFileInfo(o.argument).isFile()) {
      err(u"Błąd: nie ma pliku \"%1\"\n"_s.arg(o.argument));
      return 1;
    }
    browser.upload(o.argument);
    out(u"Wysłano \"%1\" do katalogu %2 (%3 B).\n"_s.arg(o.argument, where).arg(QFileInfo(o.argument).size()));
  } else if (o.command == u"get"_s) {
    const QString name = QFileInfo(o.argument).fileName();
    const QString target = platform::joinPath(o.out.isEmpty() ? u"."_s : o.out, name);
    browser.download(o.argument, target);
    out(u"Pobrano \"%1\" do \"%2\" (%3 B).\n"_s.arg(o.argument, target).arg(QFileInfo(target).size()));
  } else if (o.command == u"ls"_s) {
    if (o.json) {
      out(QString::fromUtf8(listingJson(browser.listing)));
    } else {
      for (const QString& line : browser.listing) out(line + u'\n');
    }
  } else if (o.command == u"mkdir"_s) {
    client.makeDir(o.argument);
    out(u"Utworzono katalog \"%1\" w %2.\n"_s.arg(o.argument, where));
  } else if (o.command == u"rmdir"_s) {
    client.removeDir(o.argument);
    out(u"Usunięto katalog \"%1\" z %2.\n"_s.arg(o.argument, where));
  } else {
    client.deleteFile(o.argument);
    out(u"Usunięto plik \"%1\" z %2.\n"_s.arg(o.argument, where));
  }
  return 0;
}

}  // namespace

int runFtpCommand(const QStringList& args) {
  if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
    out(QString::fromUtf8(kUsage));
    return 0;
  }
  const std::optional<FtpOptions> o = parse(args);
  if (!o) return 2;
  if (o->command == u"get"_s) {
    const QString name = QFileInfo(o->argument).fileName();
    if (name.isEmpty() || name == u"."_s || name == u".."_s)
      return usageError(u"get: \"%1\" nie jest nazwą pliku."_s.arg(o->argument));
  }

  const auto client = sending::makeCurlFtpClient();
  // The command line leaves the remembered values as they are: options override them for one run.
  sending::FtpBrowser browser(*client, QString());
  const QString hostFile = sending::ftpHostFilePath();
  browser.host = sending::GetHostInfo(hostFile);
  if (o->server) browser.host.ServerName = *o->server;
  if (o->user) browser.host.UserName = *o->user;
  if (o->dir) browser.host.CurrentDir = *o->dir;
  if (o->passwordFile) {
    QFile file(*o->passwordFile);
    if (!file.open(QIODevice::ReadOnly)) {
      err(u"Błąd: nie można odczytać pliku hasła \"%1\": %2\n"_s.arg(*o->passwordFile, file.errorString()));
      return 1;
    }
    QByteArray password = file.readLine();
    while (password.endsWith('\n') || password.endsWith('\r')) password.chop(1);
    browser.host.Password = QString::fromUtf8(password);
  }
  if (browser.host.ServerName.isEmpty())
    return usageError(u"Nie podano serwera FTP (--server), a plik %1 go nie zawiera."_s.arg(hostFile));
  QString serverError;
  if (!sending::parseServerName(browser.host.ServerName, &serverError)) return usageError(serverError);
  browser.passive = !o->active;
  browser.timeoutSeconds = o->timeout;

  TerminalProgress progress(browser.meter);
  client->setEvents(&progress);
  InterruptGuard interrupt(*client);
  try {
    browser.connect();
    const int code = runStep(*o, browser);
    browser.disconnect();
    return code;
  } catch (const sending::FtpError& e) {
    err(u"Błąd: "_s + e.message() + u'\n');
  }
  return 1;
}

}  // namespace wertalo::cli
