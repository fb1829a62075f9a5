// Wertalo: packing the exported files into one zip archive, and deleting them afterwards.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include "core/sending/zip_name.h"
#include "core/sending/zipper.h"

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::sending {

// Whether a file is of a kind kept without compression (GIF, PNG, ZIP, JPG, ..., by extension,
// without regard to case).
bool isStoredWithoutCompression(const QString& fileName);

// The archive entries of the files: bare names, each file once. Raises SendingError when two
// different files would get the same name.
std::vector<ZipEntry> zipEntries(const QStringList& files);

// The zip data module: the files written by the last export and their packing.
class TdtmFtp {
 public:
  // Messages go to `ui`; archives are written by `zipper` (libzip unless a test gives another).
  explicit TdtmFtp(platform::UserInterface& ui, std::unique_ptr<Zipper> zipper = makeLibzipZipper());
  ~TdtmFtp();
  TdtmFtp(const TdtmFtp&) = delete;
  TdtmFtp& operator=(const TdtmFtp&) = delete;

  // Full paths of the files written by the last export (the completion step fills it).
  QStringList listaPlikow;
  // Where archive names get their GUID (a new one each call).
  std::function<QString()> guidSource = newGuidText;

  // Packs the files into the archive `nazwaPliku` under their bare names. The archive is
  // written to a temporary file in its folder and renamed only when whole, so a failed
  // packing leaves no archive. On failure shows a Polish message with the underlying text
  // and returns false; no file is deleted here.
  bool Spakuj(const QStringList& listaPlikow, const QString& nazwaPliku);
  // Deletes the files in order; one that cannot be deleted is skipped. True when all are gone.
  bool Usun(const QStringList& listaPlikow);

  // What every packing of the wizard does: the archive folder + NazwaPlikuZip(parts) (a new
  // name each time), `listaPlikow` packed into it, and, only when that succeeded and
  // `deletePacked` is set, the packed files deleted. The archive's path, or empty when the
  // packing failed (the message was shown).
  QString packExport(const QString& folder, const ZipNameParts& parts, bool deletePacked);

 private:
  platform::UserInterface& ui_;
  std::unique_ptr<Zipper> zipper_;
};

}  // namespace wertalo::sending
