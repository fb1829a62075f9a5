// The comparison of produced bytes with expected ones: what a failing golden test prints.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/golden_compare.h"

namespace wertalo::test {
namespace {

struct Difference {
  const char* what;
  QByteArray expected;
  QByteArray actual;
  std::string message;  // the whole failure message
};

void PrintTo(const Difference& d, std::ostream* os) { *os << d.what; }

class FirstDifference : public ::testing::TestWithParam<Difference> {};

TEST_P(FirstDifference, IsPrintedReadably) {
  const Difference& d = GetParam();
  const auto result = sameBytes(QStringLiteral("a.xml"), d.expected, d.actual);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.message(), d.message);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FirstDifference,
    ::testing::Values(
        Difference{"amount", "<A>\r\n  <B>1.00</B>\r\n</A>\r\n", "<A>\r\n  <B>1.01</B>\r\n</A>\r\n",
                   "a.xml: first difference at line 2:\n"
                   "  expected:   <B>1.00</B>\n"
                   "  actual:     <B>1.01</B>\n"
                   "                    ^ column 9"},
        Difference{"line end", "<A>\r\n<B/>\r\n", "<A>\r\n<B/>\n",
                   "a.xml: first difference at line 2:\n"
                   "  expected: <B/>\\r\\n\n"
                   "  actual:   <B/>\\n\n"
                   "                 ^ column 6"},
        Difference{"shorter", "a\nb\nc\n", "a\nb\n",
                   "a.xml: first difference at line 3:\n"
                   "  expected: c\n"
                   "  actual:   (no such line: 2 lines in all)"},
        Difference{"mark, tab, control and stray bytes", "\xEF\xBB\xBFż\tx\x01\n", "\xEF\xBB\xBFż\tx\xFF\n",
                   "a.xml: first difference at line 1:\n"
                   "  expected: \\uFEFFż\\tx\\x01\n"
                   "  actual:   \\uFEFFż\\tx\\xff\n"
                   "                        ^ column 13"},
        // Around the difference of a long line: 40 characters before it, 120 shown in all.
        Difference{"long line", QByteArray(200, 'a') + "b" + QByteArray(200, 'a'), QByteArray(200, 'a') + "c" + QByteArray(200, 'a'),
                   "a.xml: first difference at line 1:\n"
                   "  expected: …" + std::string(40, 'a') + "b" + std::string(79, 'a') + "…\n" +
                   "  actual:   …" + std::string(40, 'a') + "c" + std::string(79, 'a') + "…\n" +
                   std::string(12 + 1 + 40, ' ') + "^ column 201"}),
    [](const ::testing::TestParamInfo<Difference>& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(SameBytes, EqualBytesPass) { EXPECT_TRUE(sameBytes(QStringLiteral("a.xml"), "x\r\n", "x\r\n")); }

TEST(SameLines, NamesTheFirstDifferingLine) {
  EXPECT_TRUE(sameLines({QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("a"), QStringLiteral("b")}));
  EXPECT_EQ(std::string(sameLines({QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("a")}).message()),
            "first difference at line 2:\n  expected: b\n  actual:   (no such line: 1 lines in all)");
}

TEST(SameFiles, NamesMissingAndUnexpectedFilesThenEachDifference) {
  const std::map<QString, QByteArray> expected{{QStringLiteral("a.xml"), "1\n"}, {QStringLiteral("b.xml"), "2\n"},
                                               {QStringLiteral("c.xml"), "3\n"}};
  const std::map<QString, QByteArray> actual{{QStringLiteral("a.xml"), "1\n"}, {QStringLiteral("c.xml"), "4\n"},
                                             {QStringLiteral("d.xml"), "5\n"}};
  EXPECT_TRUE(sameFiles(expected, expected));
  EXPECT_EQ(std::string(sameFiles(expected, actual).message()),
            "files expected but not written: b.xml\n"
            "files written but not expected: d.xml\n"
            "c.xml: first difference at line 1:\n"
            "  expected: 3\n"
            "  actual:   4\n"
            "            ^ column 1");
}

}  // namespace
}  // namespace wertalo::test
