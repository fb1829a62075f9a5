#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace wertalo::fuzz {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length and value of the sequence at `i`, or 0 when no sequence starts there.
int sequenceAt(std::string_view bytes, size_t i, char32_t& code) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
  const size_t left = bytes.size() - i;
  const unsigned char lead = at(0);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead == 0xC0 && left >= 2 && at(1) == 0x80) {
    code = 0;
    return 2;
  }
  if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && isContinuation(at(1))) {
    code = (lead & 0x1Fu) << 6 | (at(1) & 0x3Fu);
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && left >= 3 && isContinuation(at(1)) && isContinuation(at(2))) {
    code = (lead & 0x0Fu) << 12 | (at(1) & 0x3Fu) << 6 | (at(2) & 0x3Fu);
    return code >= 0x800 ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4 && left >= 4 && isContinuation(at(1)) && isContinuation(at(2)) &&
      isContinuation(at(3))) {
    code = (lead & 0x07u) << 18 | (at(1) & 0x3Fu) << 12 | (at(2) & 0x3Fu) << 6 | (at(3) & 0x3Fu);
    return code >= 0x10000 && code <= 0x10FFFF ? 4 : 0;
  }
  return 0;
}

}  // namespace

std::vector<std::string_view> splitInput(const uint8_t* data, size_t size, char separator) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = all.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(all.substr(start));
      return parts;
    }
    parts.push_back(all.substr(start, end - start));
    start = end + 1;
  }
}

QString textFromBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t i = 0; i < bytes.size();) {
    char32_t code = 0;
    const int length = sequenceAt(bytes, i, code);
    if (length == 0) {
      text += QChar(static_cast<unsigned char>(bytes[i]));
      ++i;
      continue;
    }
    if (code > 0xFFFF) {
      text += QChar(QChar::highSurrogate(code));
      text += QChar(QChar::lowSurrogate(code));
    } else {
      text += QChar(static_cast<char16_t>(code));
    }
    i += static_cast<size_t>(length);
  }
  return text;
}

const QString& scratchFolder() {
  static const std::unique_ptr<QTemporaryDir> folder = [] {
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    auto made = std::make_unique<QTemporaryDir>(base + QStringLiteral("/wertalo-fuzz-XXXXXX"));
    if (!made->isValid()) fail("a scratch folder can be made", made->errorString());
    return made;
  }();
  static const QString path = folder->path();
  return path;
}

void putFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    fail("a scratch file can be written", path);
  }
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) fail("a scratch file can be read", path);
  return file.readAll();
}

XmlVerdict libxml2Verdict(const QByteArray& bytes, bool fourthEdition) {
  // Every error libxml2 raises comes here (and is not printed); a conversion failure may be
  // followed by parser errors, so any of them counts.
  static bool encodingError = false;
  static const bool initialised = [] {
    xmlInitParser();
    xmlSetStructuredErrorFunc(nullptr, [](void*, xmlErrorPtr error) {
      if (error->domain == XML_FROM_I18N || error->domain == XML_FROM_IO || error->code == XML_ERR_UNKNOWN_ENCODING ||
          error->code == XML_ERR_UNSUPPORTED_ENCODING || error->code == XML_ERR_INVALID_ENCODING) {
        encodingError = true;
      }
    });
    return true;
  }();
  (void)initialised;
  int options = XML_PARSE_NONET;
  if (fourthEdition) options |= XML_PARSE_OLD10;
  encodingError = false;
  xmlDocPtr document = xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), "fuzz.xml", nullptr, options);
  if (document != nullptr) {
    xmlFreeDoc(document);
    return XmlVerdict::WellFormed;
  }
  return encodingError ? XmlVerdict::BadEncoding : XmlVerdict::Malformed;
}

void fail(const char* property, const QString& detail) {
  std::fprintf(stderr, "\n*** property broken: %s\n%s\n", property, detail.toUtf8().constData());
  std::fflush(stderr);
  std::abort();
}

QString shown(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\') {
      out += c;
    } else if (c == u'\\') {
      out += QStringLiteral("\\\\");
    } else {
      out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
  }
  return QLatin1Char('"') + out + QLatin1Char('"');
}

QString shown(const QByteArray& bytes) {
  QString out;
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += QLatin1Char(static_cast<char>(b));
    } else if (b == '\\') {
      out += QStringLiteral("\\\\");
    } else {
      out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
  }
  return QLatin1Char('"') + out + QLatin1Char('"');
}

}  // namespace wertalo::fuzz
