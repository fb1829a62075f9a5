#include "core/sending/packing.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <array>

#include "core/platform/paths.h"
#include "core/platform/user_interface.h"
#include "core/sending/sending_error.h"

namespace wertalo::sending {

namespace {

// Kinds that are compressed already: packing them again only costs time.
constexpr std::array<const char*, 26> kStoredExtensions = {
    "GIF", "PNG", "Z",   "ZIP", "ZOO",  "ARC",  "LZH", "ARJ", "TAZ", "TGZ", "LHA", "RAR", "ACE",
    "CAB", "GZ",  "GZIP", "JAR", "EXE", "JPG", "JPEG", "7Z", "MP3", "WMV", "WMA", "DVR", "AVI"};

QString packingFailed(const QString& archive, const QString& reason) {
  return QStringLiteral("Nie można spakować plików do archiwum \"%1\": %2\nŻaden plik nie został usunięty.")
      .arg(archive, reason);
}

}  // namespace

bool isStoredWithoutCompression(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix();
  if (suffix.isEmpty()) return false;
  for (const char* extension : kStoredExtensions) {
    if (suffix.compare(QLatin1StringView(extension), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

std::vector<ZipEntry> zipEntries(const QStringList& files) {
  std::vector<ZipEntry> entries;
  QHash<QString, QString> sourceByName;
  for (const QString& file : files) {
    const QFileInfo info(file);
    const QString source = info.absoluteFilePath();
    const QString name = info.fileName();
    const auto seen = sourceByName.constFind(name);
    if (seen != sourceByName.constEnd()) {
      if (*seen == source) continue;
      throw SendingError(QStringLiteral("Dwa różne pliki o nazwie \"%1\" nie mogą trafić do jednego archiwum: \"%2\" i \"%3\"")
                             .arg(name, *seen, source));
    }
    sourceByName.insert(name, source);
    entries.push_back({source, name, isStoredWithoutCompression(name)});
  }
  return entries;
}

TdtmFtp::TdtmFtp(platform::UserInterface& ui, std::unique_ptr<Zipper> zipper) : ui_(ui), zipper_(std::move(zipper)) {}

TdtmFtp::~TdtmFtp() = default;

bool TdtmFtp::Spakuj(const QStringList& listaPlikow, const QString& nazwaPliku) {
  if (listaPlikow.isEmpty()) {
    ui_.showMessage(QStringLiteral("Brak plików do spakowania do archiwum \"%1\".").arg(nazwaPliku));
    return false;
  }
  std::vector<ZipEntry> entries;
  try {
    entries = zipEntries(listaPlikow);
  } catch (const SendingError& e) {
    ui_.showMessage(packingFailed(nazwaPliku, e.message()));
    return false;
  }
  // The zipper writes the archive whole (the name is new each time), so a failed packing leaves
  // nothing; whatever another zipper may have left is removed.
  QString errorText;
  if (!zipper_->write(nazwaPliku, entries, errorText)) {
    QFile::remove(nazwaPliku);
    ui_.showMessage(packingFailed(nazwaPliku, errorText));
    return false;
  }
  return true;
}

bool TdtmFtp::Usun(const QStringList& listaPlikow) {
  bool all = true;
  for (const QString& file : listaPlikow) {
    if (!QFile::remove(file)) all = false;
  }
  return all;
}

QString TdtmFtp::packExport(const QString& folder, const ZipNameParts& parts, bool deletePacked) {
  const QString archive = platform::joinPath(folder, NazwaPlikuZip(parts, guidSource));
  if (!Spakuj(listaPlikow, archive)) return QString();
  if (deletePacked) Usun(listaPlikow);
  return archive;
}

}  // namespace wertalo::sending
