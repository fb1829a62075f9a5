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

// Writes the bytes as the whole content of the file: first into a temporary file in the same
// folder (".NAME.RANDOM.wertalo-tmp", locked while it is written), then renamed over the
// target, so that the file is never seen half written. Raises PlatformError with the path and
// the system's text on failure; the target is then untouched and the temporary file removed.
void writeFileWhole(const QString& path, const QByteArray& bytes,
                    NewFileAccess access = NewFileAccess::Default);

// Whether a file name is one of the temporary names writeFileWhole uses.
bool isTemporaryName(const QString& fileName);

// Removes the temporary files that writes into `folder` left when their process was killed:
// only files with our temporary names, and only those no running write holds. Returns their
// names; a file that cannot be removed is left as it is.
QStringList removeLeftTemporaries(const QString& folder);

// The system's text for an errno value ("No such file or directory", ...).
QString systemErrorText(int errorNumber);

}  // namespace wertalo::platform
