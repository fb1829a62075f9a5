#include "signed_package.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "core/package/placeholder_fill.h"
#include "core/package/xml_writer.h"

namespace wertalo::test {

using namespace Qt::StringLiterals;

QString keptReport(const QString& symbol, int idspraw, const QString& amount) {
  const QString indent = u"        "_s;
  const QStringList lines = {
      u"<%1 Id=\"%1%2\">"_s.arg(symbol).arg(idspraw),
      u"  <Naglowek>"_s,
      u"    <Wersja>0</Wersja>"_s,
      u"    <DataSprawozdania>2015-01-27</DataSprawozdania>"_s,
      u"  </Naglowek>"_s,
      u"  <Pozycje>"_s,
      u"    <Pozycja>"_s,
      u"      <Dzial>756</Dzial>"_s,
      u"      <Rozdzial>75615</Rozdzial>"_s,
      u"      <Paragraf>031</Paragraf>"_s,
      u"      <DW>%1</DW>"_s.arg(amount),
      u"      <Uwagi>Zażółć gęślą jaźń &amp; &lt;uwagi&gt; \"w cudzysłowie\"</Uwagi>"_s,
      u"    </Pozycja>"_s,
      u"  </Pozycje>"_s,
      u"</%1>"_s.arg(symbol),
  };
  QStringList indented;
  for (const QString& line : lines) indented << indent + line;
  return indented.join(u"\r\n"_s);
}

QByteArray signedPackage(const std::vector<QString>& keptTexts, const std::vector<QString>& signatures) {
  package::XmlDocument document;
  package::XmlElement& root = document.setRoot(u"PaczkaSprawozdan"_s);
  root.setAttribute(u"Wersja"_s, u"0.3"_s);
  package::XmlElement& period = root.appendElement(u"Okres"_s);
  period.appendTextElement(u"Rok"_s, u"2014"_s);
  period.appendTextElement(u"TypOkresu"_s, u"Kwartal"_s);
  period.appendTextElement(u"Okres"_s, u"4"_s);
  package::XmlElement& unit = root.appendElement(u"Jednostki"_s).appendElement(u"Jednostka"_s);
  unit.appendTextElement(u"Nazwa"_s, u"Miasto Łomnica Zdrój"_s);
  unit.appendTextElement(u"Typ"_s, u"M"_s);
  package::XmlElement& reports = unit.appendElement(u"Sprawozdania"_s);
  for (size_t i = 0; i < keptTexts.size(); ++i) reports.appendElement(u"WYEKSPORTOWANY_XML"_s);
  unit.appendElement(u"PODPIS"_s);

  std::vector<QByteArray> kept;
  for (const QString& text : keptTexts) kept.push_back(text.toUtf8());
  std::vector<QByteArray> block;
  if (signatures.empty()) {
    block.push_back("<Podpisy/>");
  } else {
    block.push_back("<Podpisy>");
    for (const QString& signature : signatures) {
      block.push_back(signature.toUtf8());
      block.push_back(u"<SignatureRozwiniecie><Podpisujacy>Anna Nowak</Podpisujacy><Rola>Skarbnik Miasta</Rola></SignatureRozwiniecie>"_s.toUtf8());
    }
    block.push_back("</Podpisy>");
  }
  return package::fillPlaceholderLines(package::writeXml(document), kept, {block});
}

ToolResult xmlsecVerify(const QString& file, const QStringList& reportElements, int number, const QString& trustedPemFile) {
  QStringList args{u"--verify"_s};
  for (const QString& element : reportElements) args << u"--id-attr:Id"_s << element;
  args << u"--node-xpath"_s
       << u"(//*[local-name()='Signature' and namespace-uri()='http://www.w3.org/2000/09/xmldsig#'])[%1]"_s.arg(number);
  if (trustedPemFile.isEmpty())
    args << u"--insecure"_s;
  else
    args << u"--trusted-pem"_s << trustedPemFile;
  args << file;
  QProcess tool;
  tool.setProcessChannelMode(QProcess::MergedChannels);
  tool.start(u"xmlsec1"_s, args);
  if (!tool.waitForFinished(60000)) return {-1, u"xmlsec1 did not finish: "_s + tool.errorString()};
  return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1, QString::fromUtf8(tool.readAll())};
}

QString writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  EXPECT_EQ(file.write(bytes), bytes.size());
  return path;
}

QStringList reportElementNames(const QByteArray& package) {
  // Report elements carry an Id made of their own name and the report number. Only those a
  // signature refers to are named: two elements of an Rb-50 part (its two kinds of task) share
  // their Id, which a declared Id attribute would refuse.
  static const QRegularExpression element(u"<([A-Za-z][A-Za-z0-9-]*) Id=\"(\\1[0-9]+)\">"_s);
  static const QRegularExpression reference(u"URI=\"#([^\"]+)\""_s);
  const QString text = QString::fromUtf8(package);
  QSet<QString> referenced;
  for (auto it = reference.globalMatch(text); it.hasNext();) referenced.insert(it.next().captured(1));
  QSet<QString> names;
  for (auto it = element.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (referenced.contains(m.captured(2))) names.insert(m.captured(1));
  }
  QStringList list(names.begin(), names.end());
  list.sort();
  return list;
}

}  // namespace wertalo::test
