// Test support: what a zip archive holds, read back with libzip.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace wertalo::test {

// An archive's entry: its bytes, and whether it is stored without compression.
struct ArchiveEntry {
  QByteArray bytes;
  bool stored = false;
};

// The entries of the archive by name (the test fails when it cannot be opened or read).
std::map<QString, ArchiveEntry> readArchive(const QString& path);

}  // namespace wertalo::test
