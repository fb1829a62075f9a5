#include "core/db/connection.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <QSqlQuery>

#include <atomic>

#include "core/db/db_error.h"
#include "core/db/query.h"
#include "core/db/select_all.h"

namespace wertalo::db {

namespace {

QString nextConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("wertalo-%1").arg(++counter);
}

QString errorText(const QSqlError& error) {
  QString text = error.text().trimmed();
  if (text.isEmpty()) text = QStringLiteral("nieznany błąd bazy danych");
  return text;
}

// "host/port:path" or "host:path" split for the driver.
void applyServer(QSqlDatabase& db, const QString& server) {
  const int colon = server.indexOf(QLatin1Char(':'));
  // A bare path ("/data/x.fdb") or a drive letter path means a local server.
  if (colon <= 0 || (colon == 1 && server.size() > 2 && (server[2] == QLatin1Char('\\') || server[2] == QLatin1Char('/')))) {
    db.setDatabaseName(server);
    return;
  }
  QString host = server.left(colon);
  const QString path = server.mid(colon + 1);
  const int slash = host.indexOf(QLatin1Char('/'));
  if (slash > 0) {
    bool ok = false;
    const int port = host.mid(slash + 1).toInt(&ok);
    if (ok) db.setPort(port);
    host = host.left(slash);
  }
  db.setHostName(host);
  db.setDatabaseName(path);
}

}  // namespace

Connection::Connection() : name_(nextConnectionName()), dialect_(Dialect::create(Engine::Sqlite)) {}

Connection::~Connection() {
  close();
  if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
}

void Connection::open(const ConnectionSettings& settings) {
  close();
  if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
  dialect_ = Dialect::create(settings.engine);

  const QString driver = settings.engine == Engine::Firebird ? QStringLiteral("QIBASE") : QStringLiteral("QSQLITE");
  if (!QSqlDatabase::isDriverAvailable(driver)) {
    throw DbError(QStringLiteral("Brak sterownika bazy danych %1 (dostępne: %2)")
                      .arg(driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
  }
  QSqlDatabase db = QSqlDatabase::addDatabase(driver, name_);
  if (settings.engine == Engine::Firebird) {
    applyServer(db, settings.server);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=UTF8"));
  } else if (settings.sqliteFile == QLatin1String(":memory:")) {
    db.setDatabaseName(settings.sqliteFile);
  } else {
    // Opened through a URI so that a missing file is an error, not a new empty database.
    QUrl url = QUrl::fromLocalFile(QFileInfo(settings.sqliteFile).absoluteFilePath());
    url.setQuery(settings.createIfMissing ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
  }
  if (!db.open()) {
    const QString target = settings.engine == Engine::Firebird ? settings.server : settings.sqliteFile;
    throw DbError(errorText(db.lastError()) + QStringLiteral(" (") + target + QLatin1Char(')'));
  }
}

void Connection::close() {
  forgetStatements();
  forgetTableColumns();
  inTransaction_ = false;
  if (!QSqlDatabase::contains(name_)) return;
  QSqlDatabase db = QSqlDatabase::database(name_, false);
  if (db.isOpen()) db.close();
}

bool Connection::isOpen() const {
  return QSqlDatabase::contains(name_) && QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Connection::database() const {
  if (!isOpen()) throw DbError(QStringLiteral("Brak połączenia z bazą danych"));
  return QSqlDatabase::database(name_, false);
}

QStringList splitScript(const QString& script) {
  QStringList statements;
  QString current;
  const QStringList lines = script.split(QLatin1Char('\n'));
  for (QString line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))) continue;
    if (!current.isEmpty()) current += QLatin1Char('\n');
    current += line;
    if (trimmed.endsWith(QLatin1Char(';'))) {
      current = current.trimmed();
      current.chop(1);
      statements.append(current);
      current.clear();
    }
  }
  if (!current.trimmed().isEmpty()) statements.append(current.trimmed());
  return statements;
}

void Connection::executeScript(const QString& script) {
  forgetTableColumns();
  QSqlDatabase db = database();
  for (const QString& statement : splitScript(script)) {
    QSqlQuery query(db);
    if (!query.exec(statement)) throw DbError(errorText(query.lastError()), statement);
  }
}

QStringList Connection::tableNames() const { return database().tables(QSql::Tables); }

bool Connection::hasTable(const QString& name) const {
  for (const QString& table : tableNames()) {
    if (table.compare(name, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

void Connection::beginTransaction() {
  QSqlDatabase db = database();
  if (!dialect_->reusesStatements()) forgetStatements();
  forgetTableColumns();
  if (!db.transaction()) throw DbError(errorText(db.lastError()));
  inTransaction_ = true;
  ++transactionSerial_;
}

void Connection::commit() {
  QSqlDatabase db = database();
  if (!dialect_->reusesStatements()) forgetStatements();
  forgetTableColumns();
  if (!db.commit()) throw DbError(errorText(db.lastError()));
  inTransaction_ = false;
  ++transactionSerial_;
}

void Connection::rollback() {
  QSqlDatabase db = database();
  if (!dialect_->reusesStatements()) forgetStatements();
  forgetTableColumns();
  inTransaction_ = false;
  ++transactionSerial_;
  if (!db.rollback()) throw DbError(errorText(db.lastError()));
}

void Connection::forgetStatements() { statements_.clear(); }

const std::shared_ptr<const TableColumns>* Connection::knownTableColumns(const QString& table) const {
  const auto it = tableColumns_.constFind(table);
  return it == tableColumns_.constEnd() ? nullptr : &it.value();
}

std::shared_ptr<const TableColumns> Connection::rememberTableColumns(const QString& table,
                                                                     std::shared_ptr<const TableColumns> columns) {
  tableColumns_.insert(table, columns);
  return columns;
}

std::shared_ptr<PreparedStatement> Connection::prepare(const QString& sql) {
  // A statement may be run again outside a transaction only where the engine lets it see the
  // changes made after it was prepared.
  const bool keepable = inTransaction_ || dialect_->reusesStatements();
  if (keepable) {
    const auto it = statements_.constFind(sql);
    if (it != statements_.constEnd()) return *it;
  }
  auto statement = std::make_shared<PreparedStatement>();
  statement->query = QSqlQuery(database());
  statement->query.setForwardOnly(true);
  statement->query.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!statement->query.prepare(sql)) throw DbError(errorText(statement->query.lastError()), sql);
  ++preparedCount_;
  statement->sql = sql;
  statement->parameterNames = Query::parameterNames(sql);
  // Statements with parameters are the ones run again; pasted one-off texts are not kept.
  // The kept set is bounded: a run uses a few dozen statements.
  if (keepable && !statement->parameterNames.isEmpty()) {
    if (statements_.size() >= 256) statements_.clear();
    statements_.insert(sql, statement);
  }
  return statement;
}

ReadTransaction::ReadTransaction(Connection& connection) {
  if (connection.inTransaction()) return;
  connection.beginTransaction();
  connection_ = &connection;
}

ReadTransaction::~ReadTransaction() {
  try {
    end();
  } catch (const DbError&) {
    // Ending a transaction that only read cannot lose anything; the error that left the
    // scope is the one worth reporting.
  }
}

void ReadTransaction::end() {
  if (connection_ == nullptr) return;
  Connection* connection = connection_;
  connection_ = nullptr;
  connection->rollback();
}

}  // namespace wertalo::db
