#include "core/package/xml_node.h"
#include "core/package/xml_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/xml_check.h"

namespace wertalo::package {
namespace {

// What every document starts with: byte-order mark, declaration, CR LF.
const std::string kHead = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

std::string str(const QByteArray& bytes) { return bytes.toStdString(); }

// The document with a single root element, written.
QByteArray writeRoot(XmlElement root) {
  XmlDocument document;
  document.setRoot(std::move(root));
  return writeXml(document);
}

// A builder in the way the package builders work: it returns a fragment for its caller.
XmlFragment periodFragment(const QString& year, const QString& kind, const QString& period) {
  XmlFragment fragment;
  XmlElement& okres = fragment.appendElement(QStringLiteral("Okres"));
  okres.appendTextElement(QStringLiteral("Rok"), year);
  okres.appendTextElement(QStringLiteral("TypOkresu"), kind);
  okres.appendTextElement(QStringLiteral("Okres"), period);
  return fragment;
}

TEST(XmlWriter, PackageLikeDocumentToTheByte) {
  XmlDocument document;
  XmlElement& root = document.setRoot(QStringLiteral("PaczkaSprawozdan"));
  root.setAttribute(QStringLiteral("Wersja"), QStringLiteral("0.3"));
  root.append(periodFragment(QStringLiteral("2013"), QStringLiteral("Miesiac"), QStringLiteral("12")));
  XmlElement& unit = root.appendElement(QStringLiteral("Jednostki")).appendElement(QStringLiteral("Jednostka"));
  unit.appendTextElement(QStringLiteral("Nazwa"), QString::fromUtf8("Szkoła \"Źródło\" & <Łąka>"));
  unit.appendTextElement(QStringLiteral("Regon"), QString());
  XmlElement& report =
      unit.appendElement(QStringLiteral("Sprawozdania")).appendElement(QStringLiteral("Sprawozdanie"));
  report.setAttribute(QStringLiteral("Id"), QStringLiteral("Rb-27s57"));
  report.appendElement(QStringLiteral("Naglowek")).appendTextElement(QStringLiteral("Wersja"), QStringLiteral("1"));
  report.appendTextElement(QStringLiteral("Uwagi"), QString());
  report.appendElement(QStringLiteral("WYEKSPORTOWANY_XML"));
  report.appendElement(QStringLiteral("PODPIS"));

  const QByteArray bytes = writeXml(document);
  const std::string expected = kHead +
                               "<PaczkaSprawozdan Wersja=\"0.3\">\r\n"
                               "  <Okres>\r\n"
                               "    <Rok>2013</Rok>\r\n"
                               "    <TypOkresu>Miesiac</TypOkresu>\r\n"
                               "    <Okres>12</Okres>\r\n"
                               "  </Okres>\r\n"
                               "  <Jednostki>\r\n"
                               "    <Jednostka>\r\n"
                               "      <Nazwa>Szkoła \"Źródło\" &amp; &lt;Łąka&gt;</Nazwa>\r\n"
                               "      <Regon></Regon>\r\n"
                               "      <Sprawozdania>\r\n"
                               "        <Sprawozdanie Id=\"Rb-27s57\">\r\n"
                               "          <Naglowek>\r\n"
                               "            <Wersja>1</Wersja>\r\n"
                               "          </Naglowek>\r\n"
                               "          <Uwagi></Uwagi>\r\n"
                               "          <WYEKSPORTOWANY_XML/>\r\n"
                               "          <PODPIS/>\r\n"
                               "        </Sprawozdanie>\r\n"
                               "      </Sprawozdania>\r\n"
                               "    </Jednostka>\r\n"
                               "  </Jednostki>\r\n"
                               "</PaczkaSprawozdan>\r\n";
  EXPECT_EQ(str(bytes), expected);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlWriter, EmptyTextChildAgainstNoChildren) {
  struct Case {
    const char* label;
    std::vector<QString> texts;  // text children given to <X>
    std::string line;
  };
  const std::vector<Case> cases = {
      {"no children", {}, "<X/>"},
      {"one empty text", {QString()}, "<X></X>"},
      {"one empty non-null text", {QStringLiteral("")}, "<X></X>"},
      {"only forbidden characters", {QStringLiteral("\x01\x02")}, "<X></X>"},
      {"one text", {QStringLiteral("abc")}, "<X>abc</X>"},
      {"two texts joined", {QStringLiteral("ab"), QStringLiteral("cd")}, "<X>abcd</X>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    XmlElement x(QStringLiteral("X"));
    for (const QString& text : c.texts) x.appendText(text);
    const QByteArray bytes = writeRoot(std::move(x));
    EXPECT_EQ(str(bytes), kHead + c.line + "\r\n");
    EXPECT_TRUE(test::isWellFormedXml(bytes));
  }
}

TEST(XmlWriter, AttributesKeepOrderAndAreEscaped) {
  XmlElement x(QStringLiteral("X"));
  x.setAttribute(QStringLiteral("b"), QStringLiteral("1"));
  x.setAttribute(QStringLiteral("a"), QStringLiteral("Tom & \"Jerry\" <x> 'y'"));
  x.setAttribute(QStringLiteral("c"), QString());
  x.setAttribute(QStringLiteral("b"), QStringLiteral("2"));  // replaced in its place
  x.appendElement(QStringLiteral("Y")).setAttribute(QStringLiteral("Id"), QString::fromUtf8("Ż\x01ó\x1Fł"));
  ASSERT_EQ(x.attributes().size(), 3u);
  EXPECT_EQ(x.attribute(QStringLiteral("b")), QStringLiteral("2"));
  EXPECT_TRUE(x.hasAttribute(QStringLiteral("c")));
  EXPECT_FALSE(x.hasAttribute(QStringLiteral("B")));
  EXPECT_EQ(x.attribute(QStringLiteral("missing")), QString());

  const QByteArray bytes = writeRoot(std::move(x));
  EXPECT_EQ(str(bytes), kHead +
                            "<X b=\"2\" a=\"Tom &amp; &quot;Jerry&quot; &lt;x> 'y'\" c=\"\">\r\n"
                            "  <Y Id=\"Żół\"/>\r\n"
                            "</X>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlWriter, TextEscapingAndForbiddenCharacters) {
  struct Case {
    const char* label;
    QString text;
    std::string written;
  };
  const std::vector<Case> cases = {
      {"markup", QStringLiteral("a&b<c>d"), "a&amp;b&lt;c&gt;d"},
      {"quotes stay in text", QStringLiteral("\"x\" 'y'"), "\"x\" 'y'"},
      {"existing reference is text", QStringLiteral("&amp;"), "&amp;amp;"},
      {"end of CDATA", QStringLiteral("]]>"), "]]&gt;"},
      {"Polish letters as UTF-8", QString::fromUtf8("Zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ"),
       "Zażółć gęślą jaźń ĄĘŁŃÓŚŹŻ"},
      {"outside the BMP", QString::fromUtf8("a\xF0\x9F\x98\x80" "b\xF0\x90\x8D\x88"),
       "a\xF0\x9F\x98\x80" "b\xF0\x90\x8D\x88"},
      {"tab, LF, CR stay", QStringLiteral("a\tb\nc\rd"), "a\tb\nc\rd"},
      {"control characters dropped", QStringLiteral("a\x01" "b\x0B" "c\x1F" "d\x0C" "e") + QChar(0) + "f",
       "abcdef"},
      {"U+FFFE and U+FFFF dropped", QStringLiteral("a") + QChar(0xFFFE) + "b" + QChar(0xFFFF) + "c", "abc"},
      {"U+FFFD and U+007F stay", QStringLiteral("a") + QChar(0xFFFD) + QChar(0x7F), "a\xEF\xBF\xBD\x7F"},
      {"lone high surrogate dropped", QStringLiteral("a") + QChar(0xD800) + "b", "ab"},
      {"lone low surrogate dropped", QStringLiteral("a") + QChar(0xDC00) + "b", "ab"},
      {"high surrogate at the end dropped", QStringLiteral("a") + QChar(0xD83D), "a"},
      {"no character references", QString::fromUtf8("€ © \xC2\xA0"), "€ © \xC2\xA0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    XmlElement x(QStringLiteral("Uwagi"));
    x.appendText(c.text);
    const QByteArray bytes = writeRoot(std::move(x));
    EXPECT_EQ(str(bytes), kHead + "<Uwagi>" + c.written + "</Uwagi>\r\n");
    EXPECT_TRUE(test::isWellFormedXml(bytes));
  }
}

TEST(XmlWriter, FragmentsAppendedInOrderAndReferencesSurvive) {
  XmlFragment first;
  XmlElement& a = first.appendElement(QStringLiteral("A"));
  first.appendElement(QStringLiteral("B"));
  XmlFragment second;
  second.appendTextElement(QStringLiteral("C"), QStringLiteral("3"));
  XmlFragment third;  // empty: adds nothing

  XmlDocument document;
  XmlElement& root = document.setRoot(QStringLiteral("R"));
  root.appendTextElement(QStringLiteral("Z"), QStringLiteral("0"));
  root.append(std::move(first));
  root.append(std::move(third));
  root.append(std::move(second));
  EXPECT_TRUE(first.isEmpty());
  EXPECT_TRUE(second.isEmpty());
  // An element built in a fragment is still reachable after the move into its parent.
  a.appendTextElement(QStringLiteral("A1"), QStringLiteral("x"));

  const QByteArray bytes = writeXml(document);
  EXPECT_EQ(str(bytes), kHead +
                            "<R>\r\n"
                            "  <Z>0</Z>\r\n"
                            "  <A>\r\n"
                            "    <A1>x</A1>\r\n"
                            "  </A>\r\n"
                            "  <B/>\r\n"
                            "  <C>3</C>\r\n"
                            "</R>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlWriter, FragmentAtAnIndentLevel) {
  XmlFragment fragment = periodFragment(QStringLiteral("2014"), QStringLiteral("Kwartal"), QStringLiteral("4"));
  fragment.appendElement(QStringLiteral("PODPIS"));
  const std::string body =
      "<Okres>\r\n"
      "  <Rok>2014</Rok>\r\n"
      "  <TypOkresu>Kwartal</TypOkresu>\r\n"
      "  <Okres>4</Okres>\r\n"
      "</Okres>\r\n"
      "<PODPIS/>\r\n";
  EXPECT_EQ(str(writeXmlFragment(fragment, 0)), body);
  EXPECT_EQ(str(writeXmlFragment(fragment, 2)),
            "    <Okres>\r\n"
            "      <Rok>2014</Rok>\r\n"
            "      <TypOkresu>Kwartal</TypOkresu>\r\n"
            "      <Okres>4</Okres>\r\n"
            "    </Okres>\r\n"
            "    <PODPIS/>\r\n");
  const QByteArray wrapped = QByteArray("<R>") + writeXmlFragment(fragment, 1) + "</R>";
  EXPECT_TRUE(test::isWellFormedXml(wrapped));
  EXPECT_EQ(str(writeXmlFragment(XmlFragment(), 3)), "");
}

TEST(XmlWriter, CompactReportElement) {
  // A report element as a host program gets it: no declaration, indentation or line ends,
  // with the escapes and empty-element forms of the formatted output; a text's own line
  // breaks stay.
  XmlFragment fragment;
  XmlElement& report = fragment.appendElement(QStringLiteral("Rb-27s"));
  report.setAttribute(QStringLiteral("Id"), QStringLiteral("Rb-27s57 & \"x\""));
  report.append(periodFragment(QStringLiteral("2014"), QStringLiteral("Kwartal"), QStringLiteral("4")));
  report.appendTextElement(QStringLiteral("Uwagi"), QString::fromUtf8("Łąka <1>\r\ndruga linia"));
  report.appendTextElement(QStringLiteral("Puste"), QString());
  report.appendElement(QStringLiteral("PODPIS"));
  const QString text = writeXmlCompact(fragment);
  EXPECT_EQ(text.toStdString(),
            "<Rb-27s Id=\"Rb-27s57 &amp; &quot;x&quot;\"><Okres><Rok>2014</Rok><TypOkresu>Kwartal</TypOkresu>"
            "<Okres>4</Okres></Okres><Uwagi>Łąka &lt;1&gt;\r\ndruga linia</Uwagi><Puste></Puste><PODPIS/></Rb-27s>");
  EXPECT_TRUE(test::isWellFormedXml(text.toUtf8()));
  // Several top-level nodes are joined by CR LF; nothing gives an empty text.
  XmlFragment two;
  two.appendElement(QStringLiteral("A")).appendTextElement(QStringLiteral("B"), QStringLiteral("1"));
  two.appendElement(QStringLiteral("C"));
  EXPECT_EQ(writeXmlCompact(two).toStdString(), "<A><B>1</B></A>\r\n<C/>");
  EXPECT_TRUE(writeXmlCompact(XmlFragment()).isEmpty());
}

TEST(XmlWriter, MixedContentIsWellFormed) {
  XmlElement x(QStringLiteral("X"));
  x.appendText(QStringLiteral("a<b"));
  x.appendElement(QStringLiteral("Y"));
  x.appendText(QString());  // an empty text beside elements writes no line
  x.appendText(QStringLiteral("c"));
  const QByteArray bytes = writeRoot(std::move(x));
  EXPECT_EQ(str(bytes), kHead +
                            "<X>\r\n"
                            "  a&lt;b\r\n"
                            "  <Y/>\r\n"
                            "  c\r\n"
                            "</X>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlWriter, DocumentWithoutRootAndClear) {
  XmlDocument document;
  EXPECT_EQ(str(writeXml(document)), kHead);
  document.setRoot(QStringLiteral("Old")).appendTextElement(QStringLiteral("A"), QStringLiteral("1"));
  document.clear();
  EXPECT_EQ(document.root(), nullptr);
  EXPECT_EQ(str(writeXml(document)), kHead);
  document.setRoot(QStringLiteral("New"));
  const QByteArray bytes = writeXml(document);
  EXPECT_EQ(str(bytes), kHead + "<New/>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlWriter, InvalidNamesNeverReachTheOutput) {
  XmlElement x(QStringLiteral("1 bad"));  // a name the code should not give; written valid
  x.setAttribute(QStringLiteral("a b"), QStringLiteral("v"));
  x.appendElement(QStringLiteral("2"));
  const QByteArray bytes = writeRoot(std::move(x));
  EXPECT_EQ(str(bytes), kHead +
                            "<_1_bad a_b=\"v\">\r\n"
                            "  <_2/>\r\n"
                            "</_1_bad>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

// Two attribute names that are made the same valid name were both written: the element had
// the attribute twice, which no XML reader accepts.
TEST(XmlWriter, AttributeNamesMadeTheSameAreWrittenOnce) {
  XmlElement x(QStringLiteral("X"));
  x.setAttribute(QStringLiteral("a b"), QStringLiteral("1"));
  x.setAttribute(QStringLiteral("c"), QStringLiteral("2"));
  x.setAttribute(QStringLiteral("a_b"), QStringLiteral("3"));  // replaces "a b" in its place
  x.setAttribute(QStringLiteral("a:b"), QStringLiteral("4"));
  ASSERT_EQ(x.attributes().size(), 2u);
  EXPECT_EQ(x.attribute(QStringLiteral("a b")), QStringLiteral("4"));
  EXPECT_TRUE(x.hasAttribute(QStringLiteral("a:b")));
  const QByteArray bytes = writeRoot(std::move(x));
  EXPECT_EQ(str(bytes), kHead + "<X a_b=\"4\" c=\"2\"/>\r\n");
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST(XmlNode, InspectingTheTree) {
  XmlElement report(QStringLiteral("Sprawozdanie"));
  report.appendTextElement(QStringLiteral("Poz"), QStringLiteral("1"));
  report.appendTextElement(QStringLiteral("Inna"), QStringLiteral("x"));
  report.appendTextElement(QStringLiteral("Poz"), QStringLiteral("2"));
  report.appendDataElement(QStringLiteral("3 KOD"));

  ASSERT_NE(report.firstChildElement(QStringLiteral("Poz")), nullptr);
  EXPECT_EQ(report.firstChildElement(QStringLiteral("Poz"))->text(), QStringLiteral("1"));
  EXPECT_EQ(report.firstChildElement(QStringLiteral("poz")), nullptr);  // names match with case
  EXPECT_NE(report.firstChildElement(QStringLiteral("_3_KOD")), nullptr);
  EXPECT_EQ(report.childElements().size(), 4u);
  const std::vector<const XmlElement*> poz = report.childElements(QStringLiteral("Poz"));
  ASSERT_EQ(poz.size(), 2u);
  EXPECT_EQ(poz[1]->text(), QStringLiteral("2"));
  EXPECT_TRUE(report.hasChildElements());
  EXPECT_EQ(report.text(), QString());
  ASSERT_EQ(report.children().size(), 4u);
  EXPECT_TRUE(report.children()[0].isElement());
  EXPECT_TRUE(report.children()[0].element().children()[0].isText());
  EXPECT_EQ(report.children()[0].element().children()[0].text(), QStringLiteral("1"));

  XmlElement empty(QStringLiteral("E"));
  EXPECT_TRUE(empty.isEmpty());
  empty.appendText(QString());
  EXPECT_FALSE(empty.isEmpty());
  EXPECT_FALSE(empty.hasChildElements());
}

TEST(XmlName, MadeValid) {
  struct Case {
    QString name;
    QString valid;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("ID_S_PRO12"), QStringLiteral("ID_S_PRO12")},
      {QStringLiteral("1ABC"), QStringLiteral("_1ABC")},
      {QStringLiteral("A B"), QStringLiteral("A_B")},
      {QString::fromUtf8("Ł-ódź.1"), QString::fromUtf8("Ł-ódź.1")},
      {QString(), QStringLiteral("_")},
      {QStringLiteral("a:b"), QStringLiteral("a_b")},  // not namespaced: ":" is replaced
      {QStringLiteral(":a"), QStringLiteral("_a")},
      {QStringLiteral("-x"), QStringLiteral("_-x")},
      {QStringLiteral(".x"), QStringLiteral("_.x")},
      {QStringLiteral(" x"), QStringLiteral("_x")},  // replaced by "_", which may start a name
      {QStringLiteral("a/b%c&d"), QStringLiteral("a_b_c_d")},
      {QStringLiteral("x\x01y"), QStringLiteral("x_y")},
      {QString::fromUtf8("a\xC2\xB7" "b"), QString::fromUtf8("a\xC2\xB7" "b")},   // middle dot may follow
      {QString::fromUtf8("\xC2\xB7" "b"), QString::fromUtf8("_\xC2\xB7" "b")},    // but not start
      {QString::fromUtf8("a\xC3\x97" "b"), QStringLiteral("a_b")},               // multiplication sign
      // Only what every edition of XML 1.0 allows: no characters outside the basic plane, no
      // currency signs, none of the fifth edition's additions (U+2070, U+02C7, U+0140).
      {QString::fromUtf8("\xF0\x90\x8D\x88x"), QStringLiteral("_x")},
      {QString::fromUtf8("a\xF0\x9F\x98\x80" "b"), QStringLiteral("a_b")},  // one "_" for the pair
      {QString::fromUtf8("Kwota \xE2\x82\xAC"), QStringLiteral("Kwota__")},
      {QString::fromUtf8("a\xE2\x81\xB0"), QStringLiteral("a_")},
      {QString::fromUtf8("a\xCB\x87"), QStringLiteral("a_")},
      {QString::fromUtf8("\xC5\x80x"), QStringLiteral("_x")},
      {QString::fromUtf8("\xD0\x96\xCE\xB1\xE4\xB8\x80"), QString::fromUtf8("\xD0\x96\xCE\xB1\xE4\xB8\x80")},  // Cyrillic, Greek, CJK
      {QString::fromUtf8("\xCC\x81x"), QString::fromUtf8("_\xCC\x81x")},  // a combining accent cannot start
      {QStringLiteral("a") + QChar(0xD800), QStringLiteral("a_")},     // lone surrogate
      {QStringLiteral("123"), QStringLiteral("_123")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString() + " -> " + c.valid.toStdString());
    const QString valid = validXmlName(c.name);
    EXPECT_EQ(valid, c.valid);
    EXPECT_EQ(validXmlName(valid), valid);  // a valid name stays unchanged
    XmlElement x(valid);
    x.setAttribute(valid, QStringLiteral("v"));
    EXPECT_TRUE(test::isWellFormedXml(writeRoot(std::move(x))));
  }
}

TEST(XmlName, CharacterClasses) {
  struct Case {
    char32_t c;
    bool start;
    bool name;
  };
  const std::vector<Case> cases = {
      {U'A', true, true},    {U'z', true, true},     {U'_', true, true},     {U'0', false, true},
      {U'9', false, true},   {U'-', false, true},    {U'.', false, true},    {0xB7, false, true},
      {U':', false, false},  {U' ', false, false},   {U'/', false, false},   {0, false, false},
      {0x141, true, true},   {0x17C, true, true},    {0x301, false, true},   {0x20AC, false, false},
      {0xD7, false, false},  {0xF7, false, false},   {0x4E00, true, true},   {0x10348, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.c));
    EXPECT_EQ(isXmlNameStartChar(c.c), c.start);
    EXPECT_EQ(isXmlNameChar(c.c), c.name);
  }
}


// A document written while it is built, unit after unit, has the bytes of the whole document
// written at once; each unit written is emptied.
TEST(XmlStreamWriter, UnitsWrittenAsTheyAreBuiltGiveTheWholeDocument) {
  const auto build = [](XmlDocument& document, XmlStreamWriter* stream) {
    XmlElement& root = document.setRoot(QStringLiteral("PaczkaSprawozdan"));
    root.setAttribute(QStringLiteral("Wersja"), QStringLiteral("0.3"));
    root.append(periodFragment(QStringLiteral("2014"), QStringLiteral("M"), QStringLiteral("12")));
    XmlElement& units = root.appendElement(QStringLiteral("Jednostki"));
    for (int u = 0; u < 3; ++u) {
      XmlElement& unit = units.appendElement(QStringLiteral("Jednostka"));
      unit.appendTextElement(QStringLiteral("Nazwa"), QStringLiteral("Szkoła & <%1>").arg(u));
      XmlElement& reports = unit.appendElement(QStringLiteral("Sprawozdania"));
      for (int r = 0; r < u; ++r) reports.appendElement(QStringLiteral("Rb-27S")).setAttribute(QStringLiteral("Id"), QString::number(r));
      if (stream != nullptr) {
        stream->flush(document, unit);
        EXPECT_TRUE(unit.children().empty());
      }
    }
    root.appendTextElement(QStringLiteral("Koniec"), QStringLiteral("tak"));
  };
  XmlDocument whole;
  build(whole, nullptr);
  const QByteArray expected = writeXml(whole);

  XmlDocument streamed;
  QByteArray out;
  int parts = 0;
  XmlStreamWriter stream([&](const QByteArray& part) {
    out += part;
    ++parts;
  });
  build(streamed, &stream);
  stream.finish(streamed);
  EXPECT_EQ(str(out), str(expected));
  EXPECT_EQ(parts, 4);
  EXPECT_TRUE(test::isWellFormedXml(out));
}

TEST(XmlStreamWriter, NothingFlushedWritesTheWholeDocumentAtTheEnd) {
  XmlDocument document;
  document.setRoot(QStringLiteral("Bilanse")).appendTextElement(QStringLiteral("A"), QStringLiteral("1"));
  QByteArray out;
  XmlStreamWriter stream([&](const QByteArray& part) { out += part; });
  stream.finish(document);
  EXPECT_EQ(out, writeXml(document));
}

}  // namespace
}  // namespace wertalo::package
