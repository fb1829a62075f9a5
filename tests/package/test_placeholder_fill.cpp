// The line mechanics of placeholder filling, the kept text of report elements and the
// signature reference rewrite.
#include <QList>

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


// A package filled as it is written part after part gives the bytes of the whole document
// filled at once: kept texts in place, and, once anything is filled, every PODPIS its block.
struct StreamCase {
  const char* name;
  std::vector<QByteArray> kept;
  std::vector<std::vector<QByteArray>> entries;  // per PODPIS placeholder
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class FilledWhileWritten : public ::testing::TestWithParam<StreamCase> {};

const QByteArray kStreamDocument =
    "<?xml?>\r\n"
    "<P>\r\n"
    "  <PODPIS/>\r\n"
    "  <J>\r\n"
    "    <WYEKSPORTOWANY_XML/>\r\n"
    "  </J>\r\n"
    "  <PODPIS/>\r\n"
    "  <J>\r\n"
    "    <WYEKSPORTOWANY_XML/>\r\n"
    "  </J>\r\n"
    "  <PODPIS/>\r\n"
    "</P>\r\n";

TEST_P(FilledWhileWritten, PartAfterPartGivesTheWholeDocumentFilled) {
  const StreamCase& c = GetParam();
  bool anyEntry = false;
  std::vector<std::vector<QByteArray>> blocks;
  for (const std::vector<QByteArray>& entries : c.entries) {
    anyEntry = anyEntry || !entries.empty();
    std::vector<QByteArray> block;
    if (entries.empty()) {
      block.push_back("<Podpisy/>");
    } else {
      block.push_back("<Podpisy>");
      block.insert(block.end(), entries.begin(), entries.end());
      block.push_back("</Podpisy>");
    }
    blocks.push_back(block);
  }
  const QByteArray expected =
      c.kept.empty() && !anyEntry ? kStreamDocument : fillPlaceholderLines(kStreamDocument, c.kept, blocks);

  const QList<QByteArray> lines = kStreamDocument.split('\n');
  // Every way of cutting the document at one line end, and line by line.
  for (qsizetype cut = 0; cut <= lines.size(); ++cut) {
    PlaceholderTexts texts;
    texts.keptCount = [&c] { return c.kept.size(); };
    texts.kept = [&c](size_t n) { return c.kept[n]; };
    texts.signatureCount = [&c] { return c.entries.size(); };
    texts.signatures = [&c](size_t n) { return c.entries[n]; };
    QByteArray out;
    PlaceholderFiller filler(texts, [&out](const QByteArray& part) { out += part; });
    QByteArray part;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
      part += lines[i] + '\n';
      if (i == cut || cut == lines.size()) {
        filler.write(part);
        part.clear();
      }
    }
    if (!part.isEmpty()) filler.write(part);
    filler.finish();
    EXPECT_EQ(out, expected) << "cut after line " << cut;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilledWhileWritten,
    ::testing::Values(StreamCase{"NothingToFill", {}, {{}, {}, {}}},
                      StreamCase{"KeptTextOnly", {"<K1/>", "<K2/>"}, {{}, {}, {}}},
                      StreamCase{"SignatureOfTheLastPlaceholderOnly", {}, {{}, {}, {"<S/>", "<R/>"}}},
                      StreamCase{"SignatureOfTheFirstPlaceholder", {}, {{"<S/>"}, {}, {}}},
                      StreamCase{"FewerTextsThanPlaceholders", {"<K1/>"}, {{"<S/>"}}},
                      StreamCase{"Everything", {"<K1/>", "<K2/>"}, {{"<S1/>"}, {"<S2/>"}, {"<S3/>"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wertalo::package
