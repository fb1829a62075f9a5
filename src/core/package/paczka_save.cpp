// Writing the package: one file per report, or the whole package in one file, with the kept
// XML and the signatures in place of their placeholders and the sending dates recorded.
#include <QFileInfo>

#include <algorithm>

#include "core/catalogue/wertalo_main.h"
#include "core/db/db_error.h"
#include "core/db/query.h"
#include "core/package/package_error.h"
#include "core/package/paczka.h"
#include "core/package/placeholder_fill.h"
#include "core/package/xml_writer.h"
#include "core/platform/file_write.h"
#include "core/platform/paths.h"
#include "core/platform/platform_error.h"
#include "core/platform/user_interface.h"

namespace wertalo::package {

namespace {

QString withSeparator(const QString& folder) {
  return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

void TXMLPaczkaSprawozdan::TworzWieleDokumentowSPR() { writeEachTickedRow(&TXMLPaczkaSprawozdan::TworzDokument_SPR); }

void TXMLPaczkaSprawozdan::writeEachTickedRow(DocumentBuilder build) {
  // The run writes one file per report, whatever the options say.
  struct Restore {
    bool& perReportRun;
    bool& progressRun;
    ~Restore() {
      perReportRun = false;
      progressRun = false;
    }
  } restore{perReportRun_, progressRun_};
  perReportRun_ = true;

  IDMemSprawozd();
  catalogue::SelectTable& selection = dtm_.memSelectSpraw();
  progressRun_ = true;
  progressDone_ = 0;
  progressTotal_ = selection.tickedCount();
  while (!selection.eof()) {
    if (!selection.current().SELEKCJA) {
      selection.next();
      continue;
    }
    const qint64 idspraw = selection.current().IDSPRAW;
    const QString name = NazwaPlikuXml();
    (this->*build)();  // writes this row and moves past it
    // A report whose body writes nothing gets no file of its own.
    if (!record_.writtenReports.empty()) ZapiszDokument(false, name, idspraw);
  }
}

QByteArray TXMLPaczkaSprawozdan::packageText() {
  const QByteArray document = writeXml(DOM);
  const auto hasKeptXml = [this](qint64 idspraw) {
    return std::any_of(record_.keptXml.begin(), record_.keptXml.end(),
                       [idspraw](const KeptXmlPlaceholder& kept) { return kept.idspraw == idspraw; });
  };

  const auto symbolOf = [this](qint64 idspraw) {
    for (const catalogue::RunReport& report : record_.writtenReports)
      if (report.idspraw == idspraw) return report.symbol;
    return QString();
  };

  std::vector<std::vector<QByteArray>> blocks;
  bool anySignature = false;
  for (const SignaturePlaceholder& placeholder : record_.signatures) {
    std::vector<QByteArray> block;
    for (const SignedReport& report : placeholder.reports) {
      db::DataSet rows;
      try {
        rows = db::openSql(dtm_.DB(), QStringLiteral("SELECT * FROM %1 WHERE IDSPRAW=%2")
                                          .arg(catalogue::tableFor(dtm_.RodzajEksportu(), QStringLiteral("SPRAWOZDEPODPIS")))
                                          .arg(report.idspraw));
      } catch (const db::DbError& e) {
        throw e.withLead(reportErrorLead(symbolOf(report.idspraw), report.idspraw));
      }
      // A freshly built report is signed again under its own anchor; a kept one keeps its signature as signed.
      const bool kept = hasKeptXml(report.idspraw);
      for (rows.first(); !rows.eof(); rows.next()) {
        const QString dane = rows.text(u"DANE");
        // A signature row without its text adds no empty line to the block.
        if (!dane.isEmpty()) block.push_back((kept ? dane : rewriteSignatureReference(dane, report.anchor)).toUtf8());
        if (dtm_.options().bDodajInfo) block.push_back(ElementSignatureRozwiniecie(rows).toUtf8());
      }
    }
    if (block.empty()) {
      blocks.push_back({QByteArrayLiteral("<Podpisy/>")});
    } else {
      anySignature = true;
      block.insert(block.begin(), QByteArrayLiteral("<Podpisy>"));
      block.push_back(QByteArrayLiteral("</Podpisy>"));
      blocks.push_back(std::move(block));
    }
  }
  // Without kept XML and without signature rows the document goes out as built.
  if (record_.keptXml.empty() && !anySignature) return document;

  std::vector<QByteArray> keptTexts;
  for (const KeptXmlPlaceholder& kept : record_.keptXml) keptTexts.push_back(kept.text.toUtf8());
  return fillPlaceholderLines(document, keptTexts, blocks);
}

// `idspraw` names the report of a file written alone; the build's own record says which reports
// (and which kept texts and signatures) are in the document, so it is not needed here.
bool TXMLPaczkaSprawozdan::ZapiszDokument(bool bPytajONazwe, const QString& nazwaPliku, [[maybe_unused]] qint64 idspraw) {
  const QString folder = dtm_.exportFolder();
  if (!folder.isEmpty()) {
    QString error;
    if (!platform::ensureFolder(folder, &error)) {
      throw platform::PlatformError(QStringLiteral("Nie można utworzyć folderu"), folder, error);
    }
  } else if (!bPytajONazwe) {
    throw PackageError(QStringLiteral("Nie ustawiono folderu eksportu w ustawieniach"));
  }
  sNazwaKatalogu = withSeparator(folder);

  QString path;
  if (bPytajONazwe) {
    platform::SaveFileRequest request;
    request.title = QStringLiteral("Zapisz dane bilansowe do pliku XML");
    request.initialFolder = sNazwaKatalogu;
    request.proposedName = dtm_.TypEksportu() == catalogue::teBilanse
                               ? QStringLiteral("Bilanse.xml")
                               : QStringLiteral("Sprawozdania_") + dtm_.chosenPeriodText() + QLatin1Char('_') +
                                     dtm_.memMain().RokFull() + QStringLiteral("_.xml");
    request.filter = QStringLiteral("Pliki XML|*.xml|Wszystkie pliki|*.*");
    request.defaultExtension = QStringLiteral("xml");
    const std::optional<QString> chosen = dtm_.ui().askSaveFileName(request);
    if (!chosen) return false;  // cancelled: nothing written, nothing recorded
    path = *chosen;
    const QFileInfo info(path);
    sNazwaKatalogu = withSeparator(info.path());
    sNazwaPliku = info.fileName();
  } else {
    sNazwaPliku = nazwaPliku;
    path = sNazwaKatalogu + sNazwaPliku;
  }

  // The first save of a run into a folder removes what an interrupted save left there.
  const QString targetFolder = QFileInfo(path).absolutePath();
  if (!cleanedFolders_.contains(targetFolder)) {
    platform::removeLeftTemporaries(targetFolder);
    cleanedFolders_ << targetFolder;
  }

  // The whole text is made first (its reads may fail), then written in one go.
  const QByteArray bytes = packageText();
  platform::writeFileWhole(path, bytes);

  // The file is in the result as soon as it exists, so that an error while dating still
  // names it; then the sending date of every report in it (a report whose body wrote nothing
  // is not in it).
  catalogue::WrittenFile& file = result_.files.emplace_back();
  file.path = path;
  for (const catalogue::RunReport& report : record_.writtenReports) file.reports.push_back({report, false});
  for (catalogue::WrittenReport& written : file.reports) {
    try {
      written.dated = dtm_.ZapiszDateWysylki(written.report.idspraw);
    } catch (const db::DbError& e) {
      throw e.withLead(QStringLiteral("Plik \"%1\" zapisano, ale nie można zapisać daty wysłania sprawozdania %2 (identyfikator %3).")
                           .arg(path, written.report.symbol)
                           .arg(written.report.idspraw));
    }
  }
  return true;
}

}  // namespace wertalo::package
