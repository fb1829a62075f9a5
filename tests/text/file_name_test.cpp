// Texts made safe for file names.
#include "core/text/file_name.h"

#include <QByteArray>

#include <ostream>

#include <gtest/gtest.h>

#include "core/text/cp1250.h"

namespace {

using namespace wertalo::text;

struct NameCase {
  const char* text;  // UTF-8
  int maxLength;
  const char* expected;  // UTF-8
};

void PrintTo(const NameCase& c, std::ostream* os) {
  *os << "\"" << c.text << "\", " << c.maxLength << " -> \"" << c.expected << "\"";
}

class TextToFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(TextToFileNameTest, GivesName) {
  const NameCase& c = GetParam();
  EXPECT_EQ(TextToFileName(QString::fromUtf8(c.text), c.maxLength), QString::fromUtf8(c.expected))
      << "text \"" << c.text << "\", max " << c.maxLength;
}

INSTANTIATE_TEST_SUITE_P(Replaced, TextToFileNameTest,
                         ::testing::Values(NameCase{"!", 10, "_"}, NameCase{"\"", 10, "_"}, NameCase{"'", 10, "_"},
                                           NameCase{"*", 10, "_"}, NameCase{"/", 10, "_"}, NameCase{":", 10, "_"},
                                           NameCase{"<", 10, "_"}, NameCase{">", 10, "_"}, NameCase{"?", 10, "_"},
                                           NameCase{"@", 10, "_"}, NameCase{"\\", 10, "_"}, NameCase{"|", 10, "_"},
                                           NameCase{"a!b\"c'd*e/f:g<h>i?j@k\\l|m", 100, "a_b_c_d_e_f_g_h_i_j_k_l_m"},
                                           NameCase{"../..\\x", 100, ".._.._x"}));

INSTANTIATE_TEST_SUITE_P(PolishLetters, TextToFileNameTest,
                         ::testing::Values(NameCase{"Ś", 1, "S"}, NameCase{"ś", 1, "s"}, NameCase{"Ź", 1, "Z"},
                                           NameCase{"ź", 1, "z"}, NameCase{"Ż", 1, "Z"}, NameCase{"ż", 1, "z"},
                                           NameCase{"Ł", 1, "L"}, NameCase{"ł", 1, "l"}, NameCase{"Ą", 1, "A"},
                                           NameCase{"ą", 1, "a"}, NameCase{"Ć", 1, "C"}, NameCase{"ć", 1, "c"},
                                           NameCase{"Ę", 1, "E"}, NameCase{"ę", 1, "e"}, NameCase{"Ń", 1, "N"},
                                           NameCase{"ń", 1, "n"}, NameCase{"Ó", 1, "O"}, NameCase{"ó", 1, "o"},
                                           NameCase{"Zażółć gęślą jaźń", 100, "Zazolc gesla jazn"},
                                           NameCase{"ZAŻÓŁĆ GĘŚLĄ JAŹŃ", 100, "ZAZOLC GESLA JAZN"}));

INSTANTIATE_TEST_SUITE_P(Kept, TextToFileNameTest,
                         ::testing::Values(NameCase{"Rb-27s", 100, "Rb-27s"}, NameCase{"Rb-27s", 6, "Rb-27s"},
                                           NameCase{"a b.c-d#e%f&g", 100, "a b.c-d#e%f&g"},
                                           NameCase{"()[]{}", 100, "()[]{}"}, NameCase{"+,;=~`^$", 100, "+,;=~`^$"},
                                           // other letters of Windows-1250 stay as they are
                                           NameCase{"Šťžü€ßČ", 100, "Šťžü€ßČ"},
                                           NameCase{"Ľubica Ďurová", 100, "Ľubica Ďurová"}));

INSTANTIATE_TEST_SUITE_P(Length, TextToFileNameTest,
                         ::testing::Values(NameCase{"Łódź: 2/3", 100, "Lodz_ 2_3"},
                                           NameCase{"Łódź: 2/3", 9, "Lodz_ 2_3"}, NameCase{"Łódź: 2/3", 4, "Lodz"},
                                           NameCase{"Łódź: 2/3", 1, "L"}, NameCase{"Łódź: 2/3", 0, ""},
                                           NameCase{"Łódź: 2/3", -1, ""}, NameCase{"Łódź: 2/3", -1000, ""},
                                           NameCase{"", 10, ""}, NameCase{"", 0, ""}, NameCase{"", -5, ""}));

INSTANTIATE_TEST_SUITE_P(NotWindows1250, TextToFileNameTest,
                         ::testing::Values(
                             // a character Windows-1250 cannot hold is a "?" there, and so becomes "_"
                             NameCase{"a中b", 100, "a_b"}, NameCase{"ñ", 100, "_"},
                             // a character outside the basic plane is one byte, so one "_"
                             NameCase{"x😀y", 100, "x_y"}, NameCase{"😀😀z", 2, "__"}));

TEST(TextToFileName, KeepsEveryOtherAsciiByte) {
  const QByteArray forbidden("!\"'*/:<>?@\\|");
  for (int b = 1; b < 128; ++b) {
    const QString one(QChar(static_cast<char16_t>(b)));
    const QString expected = forbidden.contains(static_cast<char>(b)) ? QStringLiteral("_") : one;
    EXPECT_EQ(TextToFileName(one, 1), expected) << "byte " << b;
  }
}

TEST(TextToFileName, KeepsEveryUpperByteButThePolishLetters) {
  // Windows-1250 byte and its plain letter, for the eighteen Polish letters.
  const QByteArray polish("\x8C\x9C\x8F\x9F\xAF\xBF\xA3\xB3\xA5\xB9\xC6\xE6\xCA\xEA\xD1\xF1\xD3\xF3");
  const QByteArray plain("SsZzZzLlAaCcEeNnOo");
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char byte = static_cast<char>(b);
    const QString letter = fromCp1250(QByteArray(1, byte));
    if (letter == QChar(0xFFFD)) continue;  // unassigned bytes have no character to start from
    const qsizetype p = polish.indexOf(byte);
    const QString expected = p >= 0 ? QString(QLatin1Char(plain[p])) : letter;
    EXPECT_EQ(TextToFileName(letter, 1), expected) << "byte " << b;
  }
}

TEST(TextToFileName, CountsAPolishLetterAsOneByte) {
  const QString text = QString::fromUtf8("ąęśćżźńół");
  for (int n = 0; n <= 9; ++n) {
    EXPECT_EQ(TextToFileName(text, n), QString::fromUtf8("aesczznol").left(n)) << n;
  }
  EXPECT_EQ(TextToFileName(text, 50).size(), 9);
}

}  // namespace
