#include "body_text.h"

#include <gtest/gtest.h>

#include "body_fixture.h"
#include "fixture.h"

namespace wertalo::test {

QString readPrefix(catalogue::TRodzajEksportu kind) { return kind == catalogue::rJB ? QStringLiteral("JB") : QString(); }

QString decoyPrefix(catalogue::TRodzajEksportu kind) { return kind == catalogue::rJB ? QString() : QStringLiteral("JB"); }

catalogue::SelectRow reportRow(const char* symbol, const char* typspr, catalogue::TRodzajEksportu kind) {
  return selectRow(70, QString::fromLatin1(symbol), QString::fromLatin1(typspr), kind == catalogue::rJB ? 7 : 0);
}

std::string positionText(const Entries& fields) {
  std::string out = "    <Pozycja>\r\n";
  for (const Entry& field : fields) {
    out += "      <" + field.element;
    out += field.text ? ">" + *field.text + "</" + field.element + ">\r\n" : "/>\r\n";
  }
  return out + "    </Pozycja>\r\n";
}

std::string list(const std::string& name, const std::string& positions) {
  if (positions.empty()) return "  <" + name + "/>\r\n";
  return "  <" + name + ">\r\n" + positions + "  </" + name + ">\r\n";
}

std::string reportText(const std::string& symbol, qint64 id, const std::string& lists) {
  return "<" + symbol + " Id=\"" + symbol + std::to_string(id) + "\">\r\n" +
         "  <Naglowek>\r\n    <Wersja>1</Wersja>\r\n    <DataSprawozdania>2013-12-20</DataSprawozdania>\r\n  </Naglowek>\r\n" + lists +
         "</" + symbol + ">\r\n";
}

void expectReport(BodyFixture& m, const char* symbol, const char* typspr, catalogue::TRodzajEksportu kind, const std::string& expected) {
  QString anchor;
  EXPECT_EQ(m.build(reportRow(symbol, typspr, kind), kind, package::tBrak, &anchor), expected);
  EXPECT_EQ(anchor, QStringLiteral("#%1%2").arg(QLatin1String(symbol)).arg(70));
}

std::string amount(long long value) { return std::to_string(value) + ".00"; }

}  // namespace wertalo::test
