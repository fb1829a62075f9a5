#include "archive_read.h"

#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

namespace wertalo::test {

std::map<QString, ArchiveEntry> readArchive(const QString& path) {
  std::map<QString, ArchiveEntry> entries;
  int error = 0;
  zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  EXPECT_NE(archive, nullptr) << "cannot open " << path.toStdString() << ": error " << error;
  if (archive == nullptr) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
    zip_fclose(file);
    entries[QString::fromUtf8(stat.name)] = {bytes, stat.comp_method == ZIP_CM_STORE};
  }
  zip_close(archive);
  return entries;
}

}  // namespace wertalo::test
