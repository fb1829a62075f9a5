// Wertalo: whole-file writes (a temporary file in the target folder, then a rename).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wertalo::platform {

// Who may read a file that a write creates. An existing file always keeps its own mode.
enum class NewFileAccess {
  Default,    // as the process's umask allows (usually readable by all)
  OwnerOnly,  // readable and writable by its owner only (files holding passwords)
};

// When the written bytes must be on the disk.
enum class Durability {
  Synced,    // before the write returns (the file is synced before its rename)
  Deferred,  // when the caller syncs the folder (syncFolder): a run of many files syncs once
};

// Writes the bytes as the whole content of the file: first into a file without a name in the
// same folder, given the target's name once written (where the system cannot make one, a
// temporary file ".NAME.RANDOM.wertalo-tmp", locked while it is written, renamed over the
// target), so that the file is never seen half written and a write cut short leaves nothing. Raises PlatformError with the path and
// the system's text on failure; the target is then untouched and the temporary file removed.
void writeFileWhole(const QString& path, const QByteArray& bytes,
                    NewFileAccess access = NewFileAccess::Default, Durability durability = Durability::Synced);

// A whole-file write made in parts (a file too large to be held in memory at once): the parts
// go into a temporary file in the target's folder, which commit renames over the target. A
// writer destroyed without commit removes its temporary file and leaves the target untouched.
// Failures raise PlatformError with the path and the system's text.
class WholeFileWriter {
 public:
  WholeFileWriter(const QString& path, NewFileAccess access = NewFileAccess::Default,
                  Durability durability = Durability::Synced);
  ~WholeFileWriter();
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // Appends bytes to the file.
  void write(const QByteArray& bytes);
  // Makes the written bytes the file's content.
  void commit();

 private:
  void fail(int errorNumber);
  // Closes the file, which has the name given; when the close fails, removes that name and raises.
  void closeNamed(const QByteArray& name);
  [[noreturn]] void removeAndThrow(const QByteArray& name, int errorNumber);

  QString path_;
  QByteArray targetName_;
  QByteArray temporaryName_;  // empty while the file has no name
  Durability durability_;
  int fd_ = -1;
  bool keepMode_ = false;
  unsigned int mode_ = 0;
};

// Makes everything written into the folder durable: the data of its file system, then the
// folder's own entries (the renames). Raises PlatformError with the system's text.
void syncFolder(const QString& folder);

// Whether a file name is one of the temporary names writeFileWhole uses.
bool isTemporaryName(const QString& fileName);

// Removes the temporary files that writes into `folder` left when their process was killed:
// only files with our temporary names, and only those no running write holds. Returns their
// names; a file that cannot be removed is left as it is.
QStringList removeLeftTemporaries(const QString& folder);

// The system's text for an errno value ("No such file or directory", ...).
QString systemErrorText(int errorNumber);

}  // namespace wertalo::platform
