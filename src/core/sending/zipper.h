// Wertalo: writing zip archives (libzip behind a small interface, so tests can make it fail).
#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace wertalo::sending {

// One file to put into an archive.
struct ZipEntry {
  QString source;       // full path of the file on disk
  QString name;         // its name inside the archive
  bool stored = false;  // kept without compression (already compressed kinds)
};

// Writes zip archives.
class Zipper {
 public:
  virtual ~Zipper() = default;
  // Writes a new archive at `path` holding exactly the entries, replacing any file there, as a
  // whole file (never seen half written). Returns false and puts the library's or the system's
  // text into `errorText` when it fails; the caller removes whatever may be left at `path`.
  virtual bool write(const QString& path, const std::vector<ZipEntry>& entries, QString& errorText) = 0;
};

// The zipper over libzip.
std::unique_ptr<Zipper> makeLibzipZipper();

}  // namespace wertalo::sending
