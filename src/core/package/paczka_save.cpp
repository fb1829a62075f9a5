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

PlaceholderTexts TXMLPaczkaSprawozdan::placeholderTexts(bool releaseKeptTexts) {
  PlaceholderTexts texts;
  texts.keptCount = [this] { return record_.keptXml.size(); };
  texts.kept = [this, releaseKeptTexts](size_t n) {
    const QByteArray text = record_.keptXml[n].text.toUtf8();
    if (releaseKeptTexts) record_.keptXml[n].text.clear();  // written: no longer needed
    return text;
  };
  texts.signatureCount = [this] { return record_.signatures.size(); };
  texts.signatures = [this](size_t n) {
    const auto hasKeptXml = [this](qint64 idspraw) {
      return std::any_of(record_.keptXml.begin(), record_.keptXml.end(),
                         [idspraw](const KeptXmlPlaceholder& kept) { return kept.idspraw == idspraw; });
    };
    // Only for an error's message: the symbol of a report of this document.
    const auto symbolOf = [this](qint64 idspraw) {
      for (const catalogue::RunReport& report : record_.writtenReports)
        if (report.idspraw == idspraw) return report.symbol;
      return QString();
    };
    db::Query query(dtm_.DB());
    query.setSql(QStringLiteral("SELECT * FROM %1 WHERE IDSPRAW=:IDSPRAW")
                     .arg(catalogue::tableFor(dtm_.RodzajEksportu(), QStringLiteral("SPRAWOZDEPODPIS"))));
    std::vector<QByteArray> entries;
    for (const SignedReport& report : record_.signatures[n].reports) {
      query.bindInt(QStringLiteral("IDSPRAW"), report.idspraw);
      db::DataSet rows;
      try {
        rows = query.open();
      } catch (const db::DbError& e) {
        throw e.withLead(reportErrorLead(symbolOf(report.idspraw), report.idspraw));
      }
      // A freshly built report is signed again under its own anchor; a kept one keeps its signature as signed.
      const bool kept = hasKeptXml(report.idspraw);
      for (rows.first(); !rows.eof(); rows.next()) {
        const QString dane = rows.text(u"DANE");
        // A signature row without its text adds no empty line to the block.
        if (!dane.isEmpty()) entries.push_back((kept ? dane : rewriteSignatureReference(dane, report.anchor)).toUtf8());
        if (dtm_.options().bDodajInfo) entries.push_back(ElementSignatureRozwiniecie(rows).toUtf8());
      }
    }
    return entries;
  };
  return texts;
}

QByteArray TXMLPaczkaSprawozdan::packageText() {
  QByteArray text;
  PlaceholderFiller filler(placeholderTexts(false), [&text](const QByteArray& lines) { text += lines; });
  filler.write(writeXml(DOM));
  filler.finish();
  return text;
}

QString TXMLPaczkaSprawozdan::exportFolderFor(bool askingForName) {
  const QString folder = dtm_.exportFolder();
  if (!folder.isEmpty()) {
    QString error;
    if (!platform::ensureFolder(folder, &error)) {
      throw platform::PlatformError(QStringLiteral("Nie można utworzyć folderu"), folder, error);
    }
  } else if (!askingForName) {
    throw PackageError(QStringLiteral("Nie ustawiono folderu eksportu w ustawieniach"));
  }
  sNazwaKatalogu = withSeparator(folder);
  return folder;
}

std::optional<QString> TXMLPaczkaSprawozdan::askPackagePath() {
  exportFolderFor(true);
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
  if (!chosen) return std::nullopt;  // cancelled: nothing written, nothing recorded
  const QFileInfo info(*chosen);
  sNazwaKatalogu = withSeparator(info.path());
  sNazwaPliku = info.fileName();
  return chosen;
}

void TXMLPaczkaSprawozdan::removeLeftTemporariesOnce(const QString& path) {
  // The first save of a run into a folder removes what an interrupted save left there.
  const QString folder = QFileInfo(path).absolutePath();
  if (cleanedFolders_.contains(folder)) return;
  platform::removeLeftTemporaries(folder);
  cleanedFolders_ << folder;
}

// `idspraw` names the report of a file written alone; the build's own record says which reports
// (and which kept texts and signatures) are in the document, so it is not needed here.
bool TXMLPaczkaSprawozdan::ZapiszDokument(bool bPytajONazwe, const QString& nazwaPliku, [[maybe_unused]] qint64 idspraw) {
  bool saved = false;
  run([&] {
    QString path;
    if (bPytajONazwe) {
      const std::optional<QString> chosen = askPackagePath();
      if (!chosen) return;
      path = *chosen;
    } else {
      exportFolderFor(false);
      sNazwaPliku = nazwaPliku;
      path = sNazwaKatalogu + sNazwaPliku;
    }
    removeLeftTemporariesOnce(path);
    // The whole text is made first (its reads may fail), then written in one go; the run syncs
    // and dates the file when it ends.
    const QByteArray bytes = packageText();
    platform::writeFileWhole(path, bytes, platform::NewFileAccess::Default, platform::Durability::Deferred);
    fileWritten(path);
    saved = true;
  });
  return saved;
}

void TXMLPaczkaSprawozdan::TworzIZapiszPakiet(void (TXMLPaczkaSprawozdan::*build)(), const QString& path) {
  run([&] {
    removeLeftTemporariesOnce(path);
    platform::WholeFileWriter file(path, platform::NewFileAccess::Default, platform::Durability::Deferred);
    PlaceholderFiller filler(placeholderTexts(true), [&file](const QByteArray& lines) { file.write(lines); });
    XmlStreamWriter stream([&filler](const QByteArray& lines) { filler.write(lines); });
    struct Streaming {
      XmlStreamWriter*& slot;
      ~Streaming() { slot = nullptr; }
    } streaming{stream_};
    stream_ = &stream;
    (this->*build)();
    stream.finish(DOM);
    filler.finish();
    file.commit();
    fileWritten(path);
  });
}

}  // namespace wertalo::package
