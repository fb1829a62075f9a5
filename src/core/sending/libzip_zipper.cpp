// Wertalo: the zipper over libzip.
#include <QFile>

#include <zip.h>

#include "core/platform/file_write.h"
#include "core/platform/platform_error.h"
#include "core/sending/zipper.h"

namespace wertalo::sending {

namespace {

class LibzipZipper final : public Zipper {
 public:
  // The archive is built in memory and saved as a whole file (a locked temporary with our own
  // name, then a rename), so that a packing killed midway leaves only a temporary that the
  // next export into the folder removes, never a partial archive or a temporary of libzip's.
  bool write(const QString& path, const std::vector<ZipEntry>& entries, QString& errorText) override {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer == nullptr) return failed(&error, errorText);
    // The buffer outlives the archive: it holds the bytes after zip_close.
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
      zip_source_free(buffer);
      return failed(&error, errorText);
    }
    for (const ZipEntry& entry : entries) {
      if (!add(archive, entry)) {
        errorText = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(buffer);
        return false;
      }
    }
    // The files are read here.
    if (zip_close(archive) != 0) {
      errorText = QString::fromLocal8Bit(zip_strerror(archive));
      zip_discard(archive);
      zip_source_free(buffer);
      return false;
    }
    QByteArray bytes;
    const bool read = readAll(buffer, bytes, errorText);
    zip_source_free(buffer);
    zip_error_fini(&error);
    if (!read) return false;
    try {
      platform::writeFileWhole(path, bytes);
    } catch (const platform::PlatformError& e) {
      errorText = e.systemText();
      return false;
    }
    return true;
  }

 private:
  static bool failed(zip_error_t* error, QString& errorText) {
    errorText = QString::fromLocal8Bit(zip_error_strerror(error));
    zip_error_fini(error);
    return false;
  }

  // The bytes the archive left in its buffer.
  static bool readAll(zip_source_t* buffer, QByteArray& bytes, QString& errorText) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 || zip_source_open(buffer) != 0) {
      errorText = QString::fromLocal8Bit(zip_error_strerror(zip_source_error(buffer)));
      return false;
    }
    bytes.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) {
      errorText = QString::fromLocal8Bit(zip_error_strerror(zip_source_error(buffer)));
      return false;
    }
    return true;
  }

  static bool add(zip_t* archive, const ZipEntry& entry) {
    zip_source_t* source = zip_source_file(archive, QFile::encodeName(entry.source).constData(), 0, -1);
    if (source == nullptr) return false;
    const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      return false;
    }
    const zip_int32_t method = entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    return zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0) == 0;
  }
};

}  // namespace

std::unique_ptr<Zipper> makeLibzipZipper() { return std::make_unique<LibzipZipper>(); }

}  // namespace wertalo::sending
