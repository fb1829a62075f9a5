#include "core/text/cp1250.h"

#include <QHash>

#include <array>

namespace wertalo::text {

namespace {

// Code points of the bytes 0x80 to 0xFF; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 128> kUpper = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

const QHash<char16_t, char>& reverseTable() {
  static const QHash<char16_t, char> table = [] {
    QHash<char16_t, char> t;
    for (int i = 0; i < 128; ++i) {
      if (kUpper[static_cast<size_t>(i)] != 0) t.insert(kUpper[static_cast<size_t>(i)], static_cast<char>(0x80 + i));
    }
    return t;
  }();
  return table;
}

}  // namespace

QByteArray toCp1250(QStringView text) {
  QByteArray out;
  out.reserve(text.size());
  const auto& reverse = reverseTable();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) {
      out.append(static_cast<char>(c));
      continue;
    }
    const auto it = reverse.constFind(c);
    if (it != reverse.constEnd()) {
      out.append(it.value());
    } else {
      out.append('?');
      // A surrogate pair is one character.
      if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    }
  }
  return out;
}

QString fromCp1250(QByteArrayView bytes) {
  QString out;
  out.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) {
      out.append(QChar(b));
    } else {
      const char16_t c = kUpper[b - 0x80];
      out.append(QChar(c != 0 ? c : char16_t{0xFFFD}));
    }
  }
  return out;
}

bool isValidUtf8(QByteArrayView bytes) {
  qsizetype i = 0;
  const qsizetype n = bytes.size();
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int follow = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      follow = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      follow = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      follow = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    for (int k = 1; k <= follow; ++k) {
      if (i + k >= n) return false;
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((follow == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (follow == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += follow + 1;
  }
  return true;
}

}  // namespace wertalo::text
