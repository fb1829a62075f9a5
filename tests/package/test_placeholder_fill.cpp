// The line mechanics of placeholder filling, the kept text of report elements and the
// signature reference rewrite.
#include <gtest/gtest.h>

#include "core/package/placeholder_fill.h"
#include "core/package/xml_writer.h"
#include "support/qt_printers.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

struct RewriteCase {
  const char* name;
  const char* dane;
  const char* expected;
};

void PrintTo(const RewriteCase& c, std::ostream* os) { *os << c.name; }

class ReferenceRewrite : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(ReferenceRewrite, FirstReferencePointsAtTheAnchor) {
  EXPECT_EQ(rewriteSignatureReference(QString::fromUtf8(GetParam().dane), QStringLiteral("#Rb-27s57")),
            QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceRewrite,
    ::testing::Values(
        RewriteCase{"First", "<S><R URI=\"#old\"/><R URI=\"#other\"/></S>", "<S><R URI=\"#Rb-27s57\"/><R URI=\"#other\"/></S>"},
        RewriteCase{"EmptyValue", "<R URI=\"\"/>", "<R URI=\"#Rb-27s57\"/>"},
        RewriteCase{"NoReference", "<S><R uri=\"#old\"/></S>", "<S><R uri=\"#old\"/></S>"},
        RewriteCase{"Unclosed", "<S><R URI=\"#old", "<S><R URI=\"#old"},
        RewriteCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceholderLines, TrimmedLinesFromTheSecondOnAreReplacedInOrder) {
  const QByteArray document =
      "<PODPIS/>\r\n"
      "  <WYEKSPORTOWANY_XML/>\r\n"
      "\t<PODPIS/> \r\n"
      "  <WYEKSPORTOWANY_XML/>\r\n"
      "  <WYEKSPORTOWANY_XML/>\r\n"
      "  <PODPIS/>\r\n"
      "<X>&lt;PODPIS/></X>\r\n";
  const QByteArray filled = fillPlaceholderLines(document, {"<A>\n<PODPIS/>\n</A>", "<B/>"},
                                                 {{"<Podpisy>", "<WYEKSPORTOWANY_XML/>", "</Podpisy>"}});
  EXPECT_EQ(filled,
            QByteArray("<PODPIS/>\r\n"
                       "<A>\n<PODPIS/>\n</A>\r\n"
                       "<Podpisy>\r\n<WYEKSPORTOWANY_XML/>\r\n</Podpisy>\r\n"
                       "<B/>\r\n"
                       "  <WYEKSPORTOWANY_XML/>\r\n"
                       "  <PODPIS/>\r\n"
                       "<X>&lt;PODPIS/></X>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml("<lines>" + filled + "</lines>"));
}

TEST(PlaceholderLines, WithoutTextsTheDocumentStaysAsItIs) {
  const QByteArray document = "a\r\n  <PODPIS/>\r\nb\nc\r\n";
  EXPECT_EQ(fillPlaceholderLines(document, {}, {}), document);
  EXPECT_EQ(fillPlaceholderLines("x", {}, {}), QByteArray("x\r\n"));
}

// Two report elements as a body builder makes them for the two kinds of task: nested lists,
// text that needs escaping, an element without children.
XmlFragment rb50Parts() {
  XmlFragment fragment;
  for (const char* task : {"Gminna", "Powiatowa"}) {
    XmlElement& report = fragment.appendElement(QStringLiteral("Rb-50D"));
    report.setAttribute(QStringLiteral("Id"), QStringLiteral("Rb-50D7"));
    report.appendElement(QStringLiteral("Naglowek")).appendTextElement(QStringLiteral("RodzajZadania"), QString::fromLatin1(task));
    XmlElement& pozycja = report.appendElement(QStringLiteral("Pozycje")).appendElement(QStringLiteral("Pozycja"));
    pozycja.appendTextElement(QStringLiteral("Uwagi"), QStringLiteral("Zażółć & <gęślą> \"jaźń\""));
    report.appendElement(QStringLiteral("WydatkiA"));
  }
  return fragment;
}

// A package whose one report list holds `reports`.
QByteArray packageWith(XmlFragment reports) {
  XmlDocument document;
  XmlElement& root = document.setRoot(QStringLiteral("PaczkaSprawozdan"));
  XmlElement& unit = root.appendElement(QStringLiteral("Jednostki")).appendElement(QStringLiteral("Jednostka"));
  unit.appendElement(QStringLiteral("Sprawozdania")).append(std::move(reports));
  unit.appendElement(QStringLiteral("PODPIS"));
  return writeXml(document);
}

TEST(KeptXmlText, InPlaceOfItsPlaceholderStandsAsTheElementsBuiltThere) {
  XmlFragment placeholder;
  placeholder.appendElement(QStringLiteral("WYEKSPORTOWANY_XML"));
  const QString kept = keptXmlText(rb50Parts());
  EXPECT_TRUE(kept.startsWith(QStringLiteral("        <Rb-50D Id=\"Rb-50D7\">\r\n")));
  EXPECT_TRUE(kept.endsWith(QStringLiteral("        </Rb-50D>")));
  const QByteArray filled = fillPlaceholderLines(packageWith(std::move(placeholder)), {kept.toUtf8()}, {});
  EXPECT_EQ(filled, packageWith(rb50Parts()));
  EXPECT_TRUE(test::isWellFormedXml(filled));
}

}  // namespace
}  // namespace wertalo::package
