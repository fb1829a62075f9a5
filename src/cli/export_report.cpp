#include "cli/export_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/console_ui.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

QString kindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Installation: return u"installation"_s;
    case ErrorKind::Database: return u"database"_s;
    case ErrorKind::File: return u"file"_s;
    case ErrorKind::Input: return u"input"_s;
    case ErrorKind::Package: return u"package"_s;
    case ErrorKind::Sending: return u"sending"_s;
    case ErrorKind::Signature: break;
  }
  return u"signature"_s;
}

QJsonObject reportJson(const catalogue::RunReport& report) {
  return {{u"idspraw"_s, report.idspraw}, {u"symbol"_s, report.symbol}, {u"unit"_s, report.idJb}, {u"signed"_s, report.podpisane}};
}

QJsonObject resultJson(const catalogue::ExportResult& result) {
  QJsonArray files;
  for (const catalogue::WrittenFile& file : result.files) {
    QJsonArray reports;
    for (const catalogue::WrittenReport& written : file.reports) {
      QJsonObject report = reportJson(written.report);
      report.insert(u"dated"_s, written.dated);
      reports.append(report);
    }
    files.append(QJsonObject{{u"path"_s, file.path}, {u"reports"_s, reports}});
  }
  QJsonArray leftOut;
  for (const catalogue::LeftOutReport& left : result.leftOut) {
    QJsonObject report = reportJson(left.report);
    report.insert(u"reason"_s, left.reason);
    leftOut.append(report);
  }
  return {{u"files"_s, files}, {u"leftOut"_s, leftOut}, {u"cancelled"_s, result.cancelled}};
}

// The files of a run that stopped, each report with whether its sending date was recorded.
QString writtenBefore(const catalogue::ExportResult& result) {
  if (result.files.empty()) return u"EKSPORT PRZERWANY\nNie zapisano żadnego pliku ani daty wysłania.\n"_s;
  QString text = u"EKSPORT PRZERWANY\nPrzed błędem zapisano pliki:\n"_s;
  for (const catalogue::WrittenFile& file : result.files) {
    text += file.path + u'\n';
    for (const catalogue::WrittenReport& written : file.reports) {
      text += u"   %1 (%2): %3\n"_s.arg(written.report.symbol)
                  .arg(written.report.idspraw)
                  .arg(written.dated ? u"zapisano datę wysłania"_s : u"bez daty wysłania"_s);
    }
  }
  return text;
}

}  // namespace

QString ExportReport::text() const {
  QString text = completion.join(u'\n') + u'\n';
  if (external) {
    text += u"\nPrzesyłkę przekazano programowi wysyłającemu:\n  program: %1%2\n  opis przesyłki: %3\n  plik poleceń: %4\n"_s
                .arg(external->program, external->started ? QString() : u" (nie udało się go uruchomić)"_s,
                     external->descriptor, external->commandFile);
  }
  if (!archive.isEmpty()) {
    text += deletedPacked ? u"\nPliki spakowano do archiwum (spakowane pliki usunięto):\n"_s : u"\nPliki spakowano do archiwum:\n"_s;
    text += archive + u'\n';
  }
  return text;
}

void ExportReport::print(const QJsonObject& error, const QString& shown, bool stopped) const {
  if (json_) {
    QJsonObject o = resultJson(result);
    if (!archive.isEmpty()) {
      o.insert(u"archive"_s, archive);
      o.insert(u"deletedPacked"_s, deletedPacked);
    }
    if (external) {
      o.insert(u"external"_s, QJsonObject{{u"program"_s, external->program},
                                          {u"descriptor"_s, external->descriptor},
                                          {u"commandFile"_s, external->commandFile},
                                          {u"started"_s, external->started}});
    }
    if (!error.isEmpty()) o.insert(u"error"_s, error);
    out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
  } else if (!completion.isEmpty()) {
    out(terminalText(text()));
  } else if (stopped) {
    out(terminalText(writtenBefore(result)));
  }
  if (!shown.isEmpty()) err(shown + u'\n');
}

void ExportReport::done() const {
  if (external && !external->started) {
    const QString message = u"Nie można uruchomić programu wysyłającego \"%1\"; opis przesyłki \"%2\" pozostał do wysłania."_s.arg(
        external->program, external->descriptor);
    print(QJsonObject{{u"kind"_s, kindName(ErrorKind::Sending)}, {u"message"_s, message}}, terminalText(message), false);
    return;
  }
  print(QJsonObject(), QString(), false);
}

void ExportReport::fail(const Error& error, bool runStopped) const {
  print(QJsonObject{{u"kind"_s, kindName(error.kind())}, {u"message"_s, error.message()}}, errorText(error), runStopped);
}

void ExportReport::fail(const QString& message) const {
  print(QJsonObject{{u"kind"_s, u"input"_s}, {u"message"_s, message}}, message, false);
}

}  // namespace wertalo::cli
