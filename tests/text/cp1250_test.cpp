// The Windows-1250 codec and the UTF-8 check.
#include "core/text/cp1250.h"

#include <iconv.h>

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <optional>

#include <ostream>

#include <gtest/gtest.h>

namespace {

using namespace wertalo::text;

// The C library's own Windows-1250 decoder, as a second opinion; nothing for a byte it refuses.
std::optional<QString> systemDecode(char byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {byte};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1;
  size_t outLeft = sizeof out;
  const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1)) return std::nullopt;
  return QString::fromUtf8(out, static_cast<qsizetype>(sizeof out - outLeft));
}

TEST(Cp1250, SystemDecoderIsAvailable) {
  iconv_t cd = iconv_open("UTF-8", "CP1250");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "the C library cannot convert CP1250";
  iconv_close(cd);
}

TEST(Cp1250, EveryUpperByteMatchesTheSystemDecoder) {
  int unassigned = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char byte = static_cast<char>(b);
    const QString ours = fromCp1250(QByteArray(1, byte));
    ASSERT_EQ(ours.size(), 1) << "byte " << b;
    const std::optional<QString> theirs = systemDecode(byte);
    if (theirs) {
      EXPECT_EQ(ours, *theirs) << "byte " << b;
    } else {
      ++unassigned;
      EXPECT_EQ(ours, QString(QChar(0xFFFD))) << "byte " << b;
    }
  }
  EXPECT_EQ(unassigned, 5);  // 0x81, 0x83, 0x88, 0x90, 0x98
}

TEST(Cp1250, EveryAssignedUpperByteRoundTrips) {
  int assigned = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const QByteArray byte(1, static_cast<char>(b));
    const QString letter = fromCp1250(byte);
    if (letter == QChar(0xFFFD)) {
      EXPECT_EQ(toCp1250(letter), QByteArray("?")) << "byte " << b;
      continue;
    }
    ++assigned;
    EXPECT_EQ(toCp1250(letter), byte) << "byte " << b;
  }
  EXPECT_EQ(assigned, 123);
}

TEST(Cp1250, AsciiRoundTripsIncludingNul) {
  QByteArray all;
  for (int b = 0; b < 0x80; ++b) all.append(static_cast<char>(b));
  const QString text = fromCp1250(all);
  ASSERT_EQ(text.size(), 128);
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(text[b].unicode(), b);
  EXPECT_EQ(toCp1250(text), all);
}

TEST(Cp1250, PolishLetters) {
  const QString letters = QString::fromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
  const QByteArray bytes("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
  EXPECT_EQ(toCp1250(letters), bytes);
  EXPECT_EQ(fromCp1250(bytes), letters);
}

struct EncodeCase {
  const char* text;  // UTF-8
  QByteArray expected;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << "\"" << c.text << "\""; }

class ToCp1250Test : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(ToCp1250Test, Encodes) {
  const EncodeCase& c = GetParam();
  EXPECT_EQ(toCp1250(QString::fromUtf8(c.text)), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Unmappable, ToCp1250Test,
                         ::testing::Values(EncodeCase{"", QByteArray()}, EncodeCase{"€ 5", QByteArray("\x80 5")},
                                           EncodeCase{"a中b", QByteArray("a?b")}, EncodeCase{"ñ", QByteArray("?")},
                                           EncodeCase{"Ωμέγα", QByteArray("?????")},
                                           EncodeCase{"Привет", QByteArray("??????")},
                                           EncodeCase{"Straße – „ok”", QByteArray("Stra\xDF"
                                                                                  "e \x96 \x84ok\x94")},
                                           // a character outside the basic plane (two UTF-16 units) is one "?"
                                           EncodeCase{"x😀y", QByteArray("x?y")}, EncodeCase{"😀😀", QByteArray("??")},
                                           EncodeCase{"𝄞ł", QByteArray("?\xB3")}));

TEST(Cp1250, LoneSurrogatesAreOneQuestionMarkEach) {
  QString highAtEnd = QStringLiteral("a");
  highAtEnd.append(QChar(0xD83D));
  EXPECT_EQ(toCp1250(highAtEnd), QByteArray("a?"));

  QString highThenLetter;
  highThenLetter.append(QChar(0xD83D));
  highThenLetter.append(QLatin1Char('b'));
  EXPECT_EQ(toCp1250(highThenLetter), QByteArray("?b"));

  QString lowAlone;
  lowAlone.append(QChar(0xDE00));
  lowAlone.append(QLatin1Char('c'));
  EXPECT_EQ(toCp1250(lowAlone), QByteArray("?c"));

  QString twoHighs;
  twoHighs.append(QChar(0xD83D));
  twoHighs.append(QChar(0xD83D));
  twoHighs.append(QChar(0xDE00));
  EXPECT_EQ(toCp1250(twoHighs), QByteArray("??"));
}

struct Utf8Case {
  const char* name;
  QByteArray bytes;
  bool valid;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class IsValidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(IsValidUtf8Test, Tells) {
  const Utf8Case& c = GetParam();
  EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Valid, IsValidUtf8Test,
                         ::testing::Values(Utf8Case{"empty", QByteArray(), true},
                                           Utf8Case{"ascii", QByteArray("Rb-27S 2024"), true},
                                           Utf8Case{"nul", QByteArray("a\0b", 3), true},
                                           Utf8Case{"polish", QByteArray("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"), true},
                                           Utf8Case{"two-byte lowest", QByteArray("\xC2\x80"), true},
                                           Utf8Case{"three-byte lowest", QByteArray("\xE0\xA0\x80"), true},
                                           Utf8Case{"before surrogates", QByteArray("\xED\x9F\xBF"), true},
                                           Utf8Case{"after surrogates", QByteArray("\xEE\x80\x80"), true},
                                           Utf8Case{"byte-order mark",
                                                    QByteArray("\xEF\xBB\xBF"
                                                               "a"),
                                                    true},
                                           Utf8Case{"U+FFFF", QByteArray("\xEF\xBF\xBF"), true},
                                           Utf8Case{"four-byte lowest", QByteArray("\xF0\x90\x80\x80"), true},
                                           Utf8Case{"emoji", QByteArray("\xF0\x9F\x98\x80"), true},
                                           Utf8Case{"highest", QByteArray("\xF4\x8F\xBF\xBF"), true}));

INSTANTIATE_TEST_SUITE_P(Invalid, IsValidUtf8Test,
                         ::testing::Values(Utf8Case{"windows-1250 l-stroke",
                                                    QByteArray("\xB3"
                                                               "adna"),
                                                    false},
                                           Utf8Case{"windows-1250 s-acute", QByteArray("\x9C"), false},
                                           Utf8Case{"stray continuation", QByteArray("a\x80"), false},
                                           Utf8Case{"overlong slash C0", QByteArray("\xC0\xAF"), false},
                                           Utf8Case{"overlong C1", QByteArray("\xC1\xBF"), false},
                                           Utf8Case{"overlong three-byte", QByteArray("\xE0\x80\xAF"), false},
                                           Utf8Case{"overlong three-byte top", QByteArray("\xE0\x9F\xBF"), false},
                                           Utf8Case{"overlong four-byte", QByteArray("\xF0\x8F\xBF\xBF"), false},
                                           Utf8Case{"high surrogate", QByteArray("\xED\xA0\x80"), false},
                                           Utf8Case{"low surrogate", QByteArray("\xED\xBF\xBF"), false},
                                           Utf8Case{"above U+10FFFF", QByteArray("\xF4\x90\x80\x80"), false},
                                           Utf8Case{"F5 lead", QByteArray("\xF5\x80\x80\x80"), false},
                                           Utf8Case{"FF byte", QByteArray("\xFF"), false},
                                           Utf8Case{"truncated two-byte", QByteArray("a\xC5"), false},
                                           Utf8Case{"truncated three-byte", QByteArray("\xE2\x82"), false},
                                           Utf8Case{"truncated four-byte", QByteArray("\xF0\x9F\x98"), false},
                                           Utf8Case{"ascii instead of continuation",
                                                    QByteArray("\xC5"
                                                               "A"),
                                                    false},
                                           Utf8Case{"lead instead of continuation", QByteArray("\xE2\xC5\x82"),
                                                    false}));

TEST(Cp1250, Windows1250TextIsNotUtf8AndItsUtf8FormIs) {
  const QString text = QString::fromUtf8("Sprawozdanie kwartalne ŁÓDŹ, gęś");
  EXPECT_FALSE(isValidUtf8(toCp1250(text)));
  EXPECT_TRUE(isValidUtf8(text.toUtf8()));
}

}  // namespace
