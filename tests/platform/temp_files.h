// Test support of the platform tests: small files in a temporary folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "support/qt_printers.h"

namespace wertalo::test {

// Writes the bytes into the file (creating its folder); fails the test when it cannot.
void putFile(const QString& path, const QByteArray& bytes);
// The file's bytes; fails the test when it cannot be read.
QByteArray fileBytes(const QString& path);
// The names in a folder (hidden ones too), sorted.
QStringList folderEntries(const QString& folder);
// The file's permission bits (e.g. 0600).
unsigned fileMode(const QString& path);

}  // namespace wertalo::test
