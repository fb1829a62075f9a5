// Wertalo: the FTP client over libcurl.
//
// Every step is one libcurl request on one easy handle, which keeps the control connection
// open between steps (and logs in again by itself when the server has closed it). Files and
// listings are named by their full remote path (no CWD of libcurl's own), and commands
// without a transfer run as libcurl "quote" commands after a CWD to the current directory, so
// the server's idea of the current directory never matters.
#include <QFile>
#include <QSaveFile>
#include <QUrl>

#include <curl/curl.h>

#include <atomic>
#include <exception>
#include <mutex>

#include "core/sending/ftp_client.h"
#include "core/sending/ftp_text.h"
#include "core/text/cp1250.h"

namespace wertalo::sending {

namespace {

using Kind = FtpError::Kind;

const QString kCannotWrite = QStringLiteral("Nie można zapisać pliku \"%1\"");
const QString kCannotRead = QStringLiteral("Nie można odczytać pliku \"%1\"");

// One libcurl request.
struct Request {
  enum Mode { Commands, List, Download, Upload } mode = Commands;
  QString url;
  QStringList quote;            // commands sent before anything else
  QByteArray* listing = nullptr;  // List: the data received
  QSaveFile* target = nullptr;    // Download: where the data goes
  QFile* source = nullptr;        // Upload: where the data comes from
};

// Frees a libcurl string list when it goes out of scope.
struct SlistGuard {
  curl_slist* list = nullptr;
  ~SlistGuard() { curl_slist_free_all(list); }
};

QString decodeServerText(const QByteArray& bytes) {
  return text::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : text::fromCp1250(bytes);
}

class CurlFtpClient final : public FtpClient {
 public:
  CurlFtpClient() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  }

  ~CurlFtpClient() override {
    events_ = nullptr;
    closeHandle();
  }

  void setEvents(FtpEvents* events) override { events_ = events; }

  void connect(const FtpServer& server) override {
    quit();
    checkServer(server);
    server_ = server;
    if (server_.timeoutSeconds <= 0) server_.timeoutSeconds = kDefaultFtpTimeoutSeconds;
    handle_ = curl_easy_init();
    if (handle_ == nullptr) throw FtpError(Kind::Other, connectLead() + QStringLiteral(": brak pamięci"));
    Request request;
    request.url = directoryUrl(QStringLiteral("/"));
    request.mode = Request::Commands;
    const CURLcode code = perform(request);
    if (code != CURLE_OK) {
      const FtpError error = failure(code, code == CURLE_LOGIN_DENIED ? loginLead() : connectLead());
      closeHandle();
      throw error;
    }
    char* entry = nullptr;
    curl_easy_getinfo(handle_, CURLINFO_FTP_ENTRY_PATH, &entry);
    currentDir_ = entry != nullptr && *entry == '/' ? QString::fromUtf8(entry) : QStringLiteral("/");
    connected_ = true;
  }

  void quit() override {
    if (handle_ == nullptr) return;
    const bool was = connected_;
    closeHandle();
    if (was && events_ != nullptr) events_->disconnected();
  }

  bool isConnected() const override { return connected_; }

  void setPassive(bool passive) override { server_.passive = passive; }

  QString changeDir(const QString& name) override {
    const QString target = name.isEmpty() ? QStringLiteral("/") : name;
    requireConnection();
    checkName(target);
    QStringList commands;
    if (!target.startsWith(u'/')) commands << QStringLiteral("CWD ") + currentDir_;
    commands << QStringLiteral("CWD ") + target << QStringLiteral("PWD");
    runCommands(commands, QStringLiteral("Nie można przejść do katalogu \"%1\"").arg(target));
    QString named;
    for (const QString& reply : replies_) {
      if (replyCode(reply) == 257) named = quotedPath(reply);
    }
    currentDir_ = named.startsWith(u'/') ? named : remotePath(target);
    return currentDir_;
  }

  QString currentDir() const override { return currentDir_; }

  QStringList list() override {
    requireConnection();
    QByteArray data;
    Request request;
    request.mode = Request::List;
    request.url = directoryUrl(currentDir_);
    request.listing = &data;
    const CURLcode code = perform(request);
    if (code != CURLE_OK)
      throw failure(code, QStringLiteral("Nie można odczytać zawartości katalogu \"%1\"").arg(currentDir_));
    QStringList lines;
    for (QByteArray line : data.split('\n')) {
      if (line.endsWith('\r')) line.chop(1);
      if (!line.isEmpty()) lines << decodeServerText(line);
    }
    return lines;
  }

  void makeDir(const QString& name) override {
    command(QStringLiteral("MKD "), name, QStringLiteral("Nie można utworzyć katalogu \"%1\""));
  }

  void removeDir(const QString& name) override {
    command(QStringLiteral("RMD "), name, QStringLiteral("Nie można usunąć katalogu \"%1\""));
  }

  void deleteFile(const QString& name) override {
    command(QStringLiteral("DELE "), name, QStringLiteral("Nie można usunąć pliku \"%1\""));
  }

  qint64 size(const QString& name) override {
    requireConnection();
    checkName(name);
    const QString lead = QStringLiteral("Nie można odczytać rozmiaru pliku \"%1\"").arg(name);
    runCommands({QStringLiteral("CWD ") + currentDir_, QStringLiteral("TYPE I"), QStringLiteral("SIZE ") + name}, lead);
    for (const QString& reply : replies_) {
      if (replyCode(reply) != 213) continue;
      bool ok = false;
      const qint64 bytes = reply.mid(4).trimmed().toLongLong(&ok);
      if (ok && bytes >= 0) return bytes;
    }
    throw FtpError(Kind::Other, lead + QStringLiteral(": niezrozumiała odpowiedź serwera"));
  }

  void download(const QString& name, const QString& localPath) override {
    Request request = fileRequest(Request::Download, name);
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly)) throw localFileError(kCannotWrite, localPath, file.errorString());
    request.target = &file;
    const CURLcode code = transfer(request, 0, TransferDirection::Download);
    if (code != CURLE_OK) {
      file.cancelWriting();
      throw failure(code, QStringLiteral("Nie można pobrać pliku \"%1\"").arg(name));
    }
    if (!file.commit()) throw localFileError(kCannotWrite, localPath, file.errorString());
  }

  void upload(const QString& localPath, const QString& name) override {
    Request request = fileRequest(Request::Upload, name);
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) throw localFileError(kCannotRead, localPath, file.errorString());
    request.source = &file;
    const CURLcode code = transfer(request, file.size(), TransferDirection::Upload);
    if (code == CURLE_OK) return;
    const FtpError error = failure(code, QStringLiteral("Nie można wysłać pliku \"%1\"").arg(name));
    if (error.failure() == Kind::Aborted && storeAccepted_) {
      // The server has a partial file under the name: it must not pass for a sent one.
      try {
        runCommands({QStringLiteral("CWD ") + currentDir_, QStringLiteral("DELE ") + name}, QString());
      } catch (const FtpError&) {
      }
    }
    throw error;
  }

  void abort() override { abortRequested_.store(true); }

 private:
  // ---- Names and addresses ----------------------------------------------------------------
  QString connectLead() const { return QStringLiteral("Nie można połączyć się z serwerem FTP %1").arg(server_.text()); }
  QString loginLead() const {
    return QStringLiteral("Serwer FTP %1 nie przyjął logowania użytkownika \"%2\"").arg(server_.text(), server_.user);
  }

  static void checkServer(const FtpServer& server) {
    QString error;
    if (!isValidHostName(server.host))
      error = QStringLiteral("Niepoprawna nazwa serwera FTP: \"%1\"").arg(server.host);
    else if (server.port < 1 || server.port > 65535)
      error = QStringLiteral("Niepoprawny port serwera FTP: %1").arg(server.port);
    else if (hasLineBreak(server.user) || hasLineBreak(server.password))
      error = QStringLiteral("Nazwa użytkownika i hasło FTP nie mogą zawierać znaków końca wiersza");
    if (!error.isEmpty()) throw FtpError(Kind::BadName, error);
  }

  static void checkName(const QString& name) {
    if (hasLineBreak(name))
      throw FtpError(Kind::BadName, QStringLiteral("Nazwa \"%1\" zawiera niedozwolone znaki (koniec wiersza)").arg(name));
  }

  void requireConnection() const {
    if (!connected_ || handle_ == nullptr) throw FtpError(Kind::NotConnected, QStringLiteral("Brak połączenia z serwerem FTP."));
  }

  // The full remote path of a name relative to the current directory.
  QString remotePath(const QString& name) const {
    if (name.startsWith(u'/')) return name;
    return currentDir_.endsWith(u'/') ? currentDir_ + name : currentDir_ + u'/' + name;
  }

  // "ftp://host:port/%2F" + the path's segments, percent-encoded: an absolute path to libcurl.
  QString urlOf(const QString& path) const {
    const QString hostPart = server_.host.contains(u':') ? u'[' + server_.host + u']' : server_.host;
    // "%2F" is an encoded "/": the path starts at the server's root, not the login folder.
    const QString url = QStringLiteral("ftp://") + hostPart + u':' + QString::number(server_.port) + QStringLiteral("/%2F");
    QStringList segments;
    for (const QString& segment : path.split(u'/', Qt::SkipEmptyParts))
      segments << QString::fromLatin1(QUrl::toPercentEncoding(segment));
    return url + segments.join(u'/');
  }
  QString directoryUrl(const QString& path) const {
    const QString url = urlOf(path);
    return url.endsWith(QLatin1StringView("%2F")) ? url : url + u'/';
  }

  // ---- Requests ---------------------------------------------------------------------------
  // A transfer of the file `name` (checked, on a connection).
  Request fileRequest(Request::Mode mode, const QString& name) const {
    requireConnection();
    checkName(name);
    Request request;
    request.mode = mode;
    request.url = urlOf(remotePath(name));
    return request;
  }

  static FtpError localFileError(const QString& lead, const QString& path, const QString& systemText) {
    return FtpError(Kind::LocalFile, lead.arg(path) + QStringLiteral(": ") + systemText);
  }

  void command(const QString& verb, const QString& name, const QString& lead) {
    requireConnection();
    checkName(name);
    runCommands({QStringLiteral("CWD ") + currentDir_, verb + name}, lead.arg(name));
  }

  void runCommands(const QStringList& commands, const QString& lead) {
    Request request;
    request.mode = Request::Commands;
    request.url = directoryUrl(QStringLiteral("/"));
    request.quote = commands;
    const CURLcode code = perform(request);
    if (code != CURLE_OK) throw failure(code, lead);
  }

  CURLcode transfer(Request& request, qint64 expectedBytes, TransferDirection direction) {
    abortRequested_.store(false);
    direction_ = direction;
    if (events_ != nullptr) events_->transferBegin(expectedBytes, direction);
    const CURLcode code = perform(request);
    if (events_ != nullptr) events_->transferEnd(direction);
    return code;
  }

  CURLcode perform(Request& request) {
    curl_easy_reset(handle_);
    replies_.clear();
    localError_.clear();
    storeAccepted_ = false;
    pending_ = nullptr;
    request_ = &request;

    const QByteArray url = request.url.toUtf8();
    const QByteArray user = server_.user.toUtf8();
    const QByteArray password = server_.password.toUtf8();
    const long timeout = server_.timeoutSeconds;
    curl_easy_setopt(handle_, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(handle_, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(handle_, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(handle_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(handle_, CURLOPT_FTPPORT, server_.passive ? nullptr : "-");
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, timeout);
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
    curl_easy_setopt(handle_, CURLOPT_ACCEPTTIMEOUT_MS, timeout * 1000L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, timeout);
    curl_easy_setopt(handle_, CURLOPT_BUFFERSIZE, 8192L);
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(handle_, CURLOPT_DEBUGFUNCTION, &CurlFtpClient::onDebug);
    curl_easy_setopt(handle_, CURLOPT_DEBUGDATA, this);

    SlistGuard quote;
    for (const QString& command : request.quote) quote.list = curl_slist_append(quote.list, command.toUtf8().constData());
    if (quote.list != nullptr) curl_easy_setopt(handle_, CURLOPT_QUOTE, quote.list);

    switch (request.mode) {
      case Request::Commands:
        curl_easy_setopt(handle_, CURLOPT_NOBODY, 1L);
        break;
      case Request::List:
      case Request::Download:
        curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlFtpClient::onWrite);
        curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
        break;
      case Request::Upload:
        curl_easy_setopt(handle_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(handle_, CURLOPT_READFUNCTION, &CurlFtpClient::onRead);
        curl_easy_setopt(handle_, CURLOPT_READDATA, this);
        curl_easy_setopt(handle_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(request.source->size()));
        break;
    }
    if (request.mode == Request::Download || request.mode == Request::Upload) {
      curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
      curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &CurlFtpClient::onProgress);
      curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, this);
    }

    const CURLcode code = curl_easy_perform(handle_);
    request_ = nullptr;
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
    return code;
  }

  void closeHandle() {
    if (handle_ != nullptr) curl_easy_cleanup(handle_);  // sends QUIT on an open connection
    handle_ = nullptr;
    connected_ = false;
    currentDir_.clear();
  }

  // ---- Failures ---------------------------------------------------------------------------
  FtpError failure(CURLcode code, const QString& lead) const {
    const QString curlText = QString::fromUtf8(curl_easy_strerror(code));
    Kind kind = Kind::Other;
    QString reason;
    if (!localError_.isEmpty()) {
      kind = Kind::LocalFile;
      reason = localError_;
    } else if (code == CURLE_ABORTED_BY_CALLBACK) {
      kind = Kind::Aborted;
      reason = kAbortedReason;
    } else if (code == CURLE_OPERATION_TIMEDOUT || code == CURLE_FTP_ACCEPT_TIMEOUT) {
      kind = Kind::TimedOut;
      reason = timedOutReason(server_.timeoutSeconds);
    } else if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT) {
      kind = Kind::Connect;
      reason = curlText;
    } else {
      kind = code == CURLE_LOGIN_DENIED ? Kind::Login : Kind::Refused;
      reason = lastErrorReply();
      if (reason.isEmpty()) {
        reason = curlText;
        if (kind == Kind::Refused) kind = Kind::Other;
      }
    }
    return FtpError(kind, lead + QStringLiteral(": ") + reason);
  }

  // The last reply of the request that reports an error (4xx, 5xx), or empty.
  QString lastErrorReply() const {
    for (auto it = replies_.crbegin(); it != replies_.crend(); ++it) {
      if (replyCode(*it) >= 400) return *it;
    }
    return QString();
  }

  // ---- libcurl callbacks ------------------------------------------------------------------
  static int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
    if (type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT) return 0;
    auto* client = static_cast<CurlFtpClient*>(self);
    try {
      client->protocolLines(type == CURLINFO_HEADER_IN, QByteArray(data, static_cast<qsizetype>(size)));
    } catch (...) {
      if (!client->pending_) client->pending_ = std::current_exception();
    }
    return 0;
  }

  void protocolLines(bool fromServer, const QByteArray& bytes) {
    for (QByteArray line : bytes.split('\n')) {
      if (line.endsWith('\r')) line.chop(1);
      if (line.isEmpty()) continue;
      QString text = decodeServerText(line);
      if (fromServer) {
        replies_ << text;
        const int code = replyCode(text);
        if (request_ != nullptr && request_->mode == Request::Upload && (code == 125 || code == 150)) storeAccepted_ = true;
      } else if (text.startsWith(QLatin1StringView("PASS "), Qt::CaseInsensitive)) {
        text = QStringLiteral("PASS ***");
      }
      if (events_ != nullptr) events_->status(text);
    }
  }

  static size_t onWrite(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlFtpClient*>(self);
    const size_t bytes = size * count;
    Request& request = *client->request_;
    if (request.mode == Request::List) {
      request.listing->append(data, static_cast<qsizetype>(bytes));
      return bytes;
    }
    if (request.target->write(data, static_cast<qint64>(bytes)) != static_cast<qint64>(bytes)) {
      client->localError_ = request.target->errorString();
      return 0;
    }
    return bytes;
  }

  static size_t onRead(char* buffer, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlFtpClient*>(self);
    QFile& source = *client->request_->source;
    const qint64 read = source.read(buffer, static_cast<qint64>(size * count));
    if (read < 0) {
      client->localError_ = source.errorString();
      return CURL_READFUNC_ABORT;
    }
    return static_cast<size_t>(read);
  }

  static int onProgress(void* self, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto* client = static_cast<CurlFtpClient*>(self);
    if (client->abortRequested_.exchange(false)) return 1;
    const qint64 bytes = client->direction_ == TransferDirection::Download ? downloaded : uploaded;
    try {
      if (client->events_ != nullptr && !client->events_->transferProgress(bytes, client->direction_)) return 1;
    } catch (...) {
      client->pending_ = std::current_exception();
      return 1;
    }
    return 0;
  }

  CURL* handle_ = nullptr;
  FtpServer server_;
  bool connected_ = false;
  QString currentDir_;
  FtpEvents* events_ = nullptr;
  std::atomic<bool> abortRequested_{false};

  // State of the running request.
  Request* request_ = nullptr;
  TransferDirection direction_ = TransferDirection::Download;
  QStringList replies_;
  QString localError_;
  bool storeAccepted_ = false;
  std::exception_ptr pending_;
};

}  // namespace

std::unique_ptr<FtpClient> makeCurlFtpClient() { return std::make_unique<CurlFtpClient>(); }

}  // namespace wertalo::sending
