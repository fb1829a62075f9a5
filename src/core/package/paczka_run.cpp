// Export runs: one read transaction, what every report needs read once, and the sending dates
// of the files written recorded together at the end, once the files are on the disk.
#include <QFileInfo>
#include <QSet>

#include "core/base/error.h"
#include "core/catalogue/wertalo_main.h"
#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/ids_read.h"
#include "core/package/paczka.h"
#include "core/platform/file_write.h"

namespace wertalo::package {

namespace {

// The identifiers of every row of the selection.
std::vector<qint64> selectionIds(const catalogue::SelectTable& selection) {
  std::vector<qint64> ids;
  ids.reserve(static_cast<size_t>(selection.recordCount()));
  for (int i = 0; i < selection.recordCount(); ++i) ids.push_back(selection.at(i).IDSPRAW);
  return ids;
}

}  // namespace

TXMLPaczkaSprawozdan::~TXMLPaczkaSprawozdan() = default;

const TXMLPaczkaSprawozdan::ReportReads& TXMLPaczkaSprawozdan::reportReads() {
  if (!reads_) {
    const catalogue::TRodzajEksportu kind = dtm_.RodzajEksportu();
    const std::vector<qint64> ids = selectionIds(dtm_.memSelectSpraw());
    const auto read = [&](const char* table) {
      const QString select = QStringLiteral("select * from %1 where IDSPRAW ").arg(catalogue::tableFor(kind, QString::fromLatin1(table)));
      return db::RowsByKey(db::openForIdStretches(dtm_.DB(), select, QStringLiteral("IDSPRAW"), ids), u"IDSPRAW");
    };
    ReportReads reads{read("SPRAWOZD"), read("SPRAWOZDPARAMS")};
    reads_ = std::move(reads);
  }
  return *reads_;
}

void TXMLPaczkaSprawozdan::run(const std::function<void()>& work) {
  if (runDepth_ > 0) {
    work();  // part of the run going on
    return;
  }
  const size_t firstFile = result_.files.size();
  reads_.reset();
  bodyReads_.reset();
  datingFailure_.clear();
  ++runDepth_;
  db::ReadTransaction reading(dtm_.DB());
  try {
    work();
  } catch (...) {
    --runDepth_;
    reads_.reset();
    bodyReads_.reset();
    try {
      reading.end();
      // The files written before the error keep their dates.
      dateFiles(firstFile);
    } catch (const Error&) {
      // datingFailure_ says why the dates are missing; the error that stopped the run is the
      // one reported.
    }
    throw;
  }
  --runDepth_;
  reads_.reset();
  bodyReads_.reset();
  reading.end();
  dateFiles(firstFile);
}

void TXMLPaczkaSprawozdan::fileWritten(const QString& path) {
  catalogue::WrittenFile file{path, {}};
  for (const catalogue::RunReport& report : record_.writtenReports) file.reports.push_back({report, false});
  result_.files.push_back(std::move(file));
}

bool TXMLPaczkaSprawozdan::dateTogether(size_t firstFile) {
  db::Connection& db = dtm_.DB();
  std::vector<qint64> ids;
  for (size_t f = firstFile; f < result_.files.size(); ++f) {
    for (const catalogue::WrittenReport& report : result_.files[f].reports) ids.push_back(report.report.idspraw);
  }
  QSet<qint64> dated;
  db.beginTransaction();
  try {
    dated = dtm_.ZapiszDatyWysylki(ids);
    db.commit();
  } catch (const db::DbError&) {
    if (db.inTransaction()) {
      try {
        db.rollback();
      } catch (const Error&) {
        // Nothing was recorded either way.
      }
    }
    return false;
  }
  // A report is dated once, in the first file that holds it.
  for (size_t f = firstFile; f < result_.files.size(); ++f) {
    for (catalogue::WrittenReport& report : result_.files[f].reports) report.dated = dated.remove(report.report.idspraw);
  }
  return true;
}

void TXMLPaczkaSprawozdan::datePerReport(size_t firstFile) {
  for (size_t f = firstFile; f < result_.files.size(); ++f) {
    for (catalogue::WrittenReport& report : result_.files[f].reports) {
      try {
        report.dated = dtm_.ZapiszDateWysylki(report.report.idspraw);
      } catch (const db::DbError& e) {
        throw e.withLead(QStringLiteral("Plik \"%1\" zapisano, ale nie można zapisać daty wysłania sprawozdania %2 (identyfikator %3).")
                             .arg(result_.files[f].path, report.report.symbol)
                             .arg(report.report.idspraw));
      }
    }
  }
}

void TXMLPaczkaSprawozdan::dateFiles(size_t firstFile) {
  if (firstFile >= result_.files.size()) return;
  db::Connection& db = dtm_.DB();
  const bool ownTransaction = !db.inTransaction();
  try {
    // A date is never recorded for a file that is not on the disk yet.
    QSet<QString> folders;
    for (size_t f = firstFile; f < result_.files.size(); ++f) folders.insert(QFileInfo(result_.files[f].path).absolutePath());
    for (const QString& folder : folders) platform::syncFolder(folder);
    // When the database refuses the dates of the run together, they are recorded report by
    // report, so that the message names the report it refused.
    if (!ownTransaction || !dateTogether(firstFile)) {
      if (ownTransaction) db.beginTransaction();
      datePerReport(firstFile);
      if (ownTransaction) db.commit();
    }
  } catch (const Error& e) {
    for (size_t f = firstFile; f < result_.files.size(); ++f) {
      for (catalogue::WrittenReport& report : result_.files[f].reports) report.dated = false;
    }
    if (ownTransaction && db.inTransaction()) {
      try {
        db.rollback();
      } catch (const Error&) {
        // The first error is the one worth reporting.
      }
    }
    datingFailure_ = e.message();
    throw;
  }
}

}  // namespace wertalo::package
