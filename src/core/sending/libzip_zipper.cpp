// Wertalo: the zipper over libzip.
#include <QFile>

#include <zip.h>

#include "core/sending/zipper.h"

namespace wertalo::sending {

namespace {

QString zipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
  zip_error_fini(&error);
  return text;
}

class LibzipZipper final : public Zipper {
 public:
  bool write(const QString& path, const std::vector<ZipEntry>& entries, QString& errorText) override {
    int openError = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (archive == nullptr) {
      errorText = zipErrorText(openError);
      return false;
    }
    for (const ZipEntry& entry : entries) {
      if (!add(archive, entry)) {
        errorText = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return false;
      }
    }
    // The files are read here; libzip writes a temporary file beside `path` and renames it.
    if (zip_close(archive) != 0) {
      errorText = QString::fromLocal8Bit(zip_strerror(archive));
      zip_discard(archive);
      return false;
    }
    return true;
  }

 private:
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
