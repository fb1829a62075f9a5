#include "support/installation.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

#include "core/db/schema.h"
#include "core/operations/session.h"
#include "core/platform/paths.h"

namespace wertalo::test {

namespace {

void writeText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

TempInstallation::TempInstallation() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
  const QString main = dir_.filePath(QStringLiteral("Tervik"));
  const QString data = main + QStringLiteral("/Dane");
  QDir().mkpath(data);
  database_ = data + QStringLiteral("/dane.sqlite");
  const QString config = main + QStringLiteral("/Tervik.ini");
  writeText(config, QStringLiteral("[configTervik]\nPathData=%1\nPathMain=%2\n").arg(data, main));
  winIni_ = dir_.filePath(QStringLiteral("win.ini"));
  writeText(winIni_, QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(config));

  db::ConnectionSettings settings;
  settings.sqliteFile = database_;
  settings.createIfMissing = true;
  db::Connection connection;
  connection.open(settings);
  connection.beginTransaction();
  db::applySchema(connection);
  connection.commit();
}

TempInstallation::~TempInstallation() = default;

std::unique_ptr<db::Connection> TempInstallation::connect() const {
  auto connection = std::make_unique<db::Connection>();
  db::ConnectionSettings settings;
  settings.sqliteFile = database_;
  connection->open(settings);
  // A test's database need not survive a power cut: rows are written without waiting for the disk.
  connection->executeScript(QStringLiteral("PRAGMA synchronous=OFF;\n"));
  return connection;
}

std::unique_ptr<operations::Session> TempInstallation::open(platform::UserInterface& ui) const {
  return operations::Session::open({winIni_, settingsFile()}, ui);
}

QString TempInstallation::settingsFile() const { return dir_.filePath(QStringLiteral("Wertalo.xml")); }

QString TempInstallation::pathBestia() const {
  return platform::nativePath(dir_.filePath(QStringLiteral("Tervik")) + QStringLiteral("\\Bestia"));
}

}  // namespace wertalo::test
