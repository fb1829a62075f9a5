#include "host_fixture.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

#include "core/db/schema.h"

namespace wertalo::test {

namespace {

void writeText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) throw std::runtime_error("cannot write " + path.toStdString());
}

// A WIN.INI naming a configuration file whose section configTervik names the data folder.
void writeInstallation(const QString& winIni, const QString& config, const QString& dataFolder) {
  writeText(winIni, QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(config));
  writeText(config, QStringLiteral("[configTervik]\nPathData=%1\n").arg(dataFolder));
}

}  // namespace

HostInstallation::HostInstallation() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
  const QString root = dir_.path();
  QDir(root).mkpath(QStringLiteral("Dane"));
  QDir(root).mkpath(QStringLiteral("Puste"));
  writeInstallation(winIni(), dir_.filePath(QStringLiteral("tervik.ini")), dir_.filePath(QStringLiteral("Dane")));
  writeInstallation(winIniWithoutDatabase(), dir_.filePath(QStringLiteral("empty.ini")), dir_.filePath(QStringLiteral("Puste")));

  db_ = std::make_unique<db::Connection>();
  db::ConnectionSettings settings;
  settings.sqliteFile = root + QStringLiteral("/Dane/dane.sqlite");
  settings.createIfMissing = true;
  db_->open(settings);
  // The fixture's own writes need not wait for the disk.
  exec(QStringLiteral("PRAGMA synchronous=OFF;\nPRAGMA journal_mode=MEMORY;"));
  db::applySchema(*db_);
  insertBaseRows(*db_);
}

}  // namespace wertalo::test
