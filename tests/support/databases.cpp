#include "support/databases.h"

#include <QProcess>
#include <QUuid>

#include <stdexcept>

#include "core/db/schema.h"

namespace wertalo::test {

namespace {

QString env(const char* name) { return qEnvironmentVariable(name); }

// Runs a script through the server's isql tool; returns its error output on failure.
QString runIsql(const QString& script) {
  QProcess isql;
  isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q")});
  if (!isql.waitForStarted(5000)) return QStringLiteral("isql-fb could not be started");
  isql.write(script.toUtf8());
  isql.closeWriteChannel();
  isql.waitForFinished(60000);
  const QString err = QString::fromUtf8(isql.readAllStandardError()).trimmed();
  if (isql.exitStatus() != QProcess::NormalExit || isql.exitCode() != 0 || !err.isEmpty()) {
    return err.isEmpty() ? QStringLiteral("isql-fb failed") : err;
  }
  return QString();
}

QString quoted(const QString& s) { return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); }

QString credentials() {
  return QStringLiteral(" USER ") + quoted(env("WERTALO_FB_USER")) + QStringLiteral(" PASSWORD ") +
         quoted(env("WERTALO_FB_PASSWORD"));
}

}  // namespace

std::unique_ptr<db::Connection> memoryDatabase(bool withSchema) {
  auto connection = std::make_unique<db::Connection>();
  db::ConnectionSettings settings;
  settings.engine = db::Engine::Sqlite;
  settings.sqliteFile = QStringLiteral(":memory:");
  connection->open(settings);
  if (withSchema) db::applySchema(*connection);
  return connection;
}

QString firebirdUnavailableReason() {
  static const QString reason = [] {
    if (env("WERTALO_FB_HOST").isEmpty() || env("WERTALO_FB_DIR").isEmpty())
      return QStringLiteral("WERTALO_FB_HOST/WERTALO_FB_DIR not set (run the tests through 'make test')");
    try {
      FirebirdDatabase probe;
      probe.connect();
    } catch (const std::exception& e) {
      return QString::fromUtf8(e.what());
    }
    return QString();
  }();
  return reason;
}

FirebirdDatabase::FirebirdDatabase() {
  path_ = env("WERTALO_FB_DIR") + QStringLiteral("/t-") + QUuid::createUuid().toString(QUuid::Id128) +
          QStringLiteral(".fdb");
  server_ = env("WERTALO_FB_HOST") + QLatin1Char(':') + path_;
  const QString error = runIsql(QStringLiteral("CREATE DATABASE ") + quoted(server_) + credentials() +
                                QStringLiteral(" DEFAULT CHARACTER SET UTF8;\n"));
  if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
}

FirebirdDatabase::~FirebirdDatabase() {
  runIsql(QStringLiteral("CONNECT ") + quoted(server_) + credentials() + QStringLiteral(";\nDROP DATABASE;\n"));
}

db::ConnectionSettings FirebirdDatabase::settings() const {
  db::ConnectionSettings s;
  s.engine = db::Engine::Firebird;
  s.server = server_;
  s.user = env("WERTALO_FB_USER");
  s.password = env("WERTALO_FB_PASSWORD");
  return s;
}

std::unique_ptr<db::Connection> FirebirdDatabase::connect() const {
  auto connection = std::make_unique<db::Connection>();
  connection->open(settings());
  return connection;
}

DemoOnBoth demoOnLocalAndServer(const QTemporaryDir& dir, const FirebirdDatabase& server) {
  demo::DemoOptions local;
  local.folder = dir.filePath(QStringLiteral("lokalna"));
  local.units = 2;
  demo::DemoOptions onServer = local;
  onServer.folder = dir.filePath(QStringLiteral("serwer"));
  onServer.firebirdServer = server.server();
  const db::ConnectionSettings settings = server.settings();
  onServer.user = settings.user;
  onServer.password = settings.password;
  return {demo::createDemoInstallation(local), demo::createDemoInstallation(onServer)};
}

std::unique_ptr<db::Connection> emptyDatabase(db::Engine engine, bool withSchema,
                                              std::unique_ptr<FirebirdDatabase>& server) {
  if (engine == db::Engine::Sqlite) return memoryDatabase(withSchema);
  server = std::make_unique<FirebirdDatabase>();
  std::unique_ptr<db::Connection> connection = server->connect();
  if (withSchema) db::applySchema(*connection);
  return connection;
}

}  // namespace wertalo::test
