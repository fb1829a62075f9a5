// The run around the writing of the files: summary, completion text, sending date.
#include "core/catalogue/wertalo_main.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>

#include "core/db/ids_read.h"
#include "core/db/query.h"
#include "core/platform/paths.h"
#include "core/text/file_name.h"

namespace wertalo::catalogue {

QString NazwaPlikuXml(const SelectRow& row) {
  QString name = row.sTypSprBestia + QLatin1Char('_') + text::TextToFileName(row.sNazwaCzesc, 256);
  if (row.CZAST > 0) name += QString::number(row.CZAST);
  name += QLatin1Char('_') + text::TextToFileName(row.sNazwaJB, 100) + QString::number(row.IDSPRAW) + QStringLiteral(".xml");
  return name;
}

QString TdtmWertaloMain::exportFolder() const { return platform::nativePath(options_.dirKatalog); }

int TdtmWertaloMain::WykonajPosumowanie(QStringList& sl) {
  sl.clear();
  const bool perReport = options_.chkZapiszPojedynczo;
  if (perReport) {
    sl << QStringLiteral("Wybrano opcję zapisu każdego sprawozdania w oddzielnym pliku XML.") << QStringLiteral(" ")
       << QStringLiteral("Dane zostaną zapisane w folderze:") << QStringLiteral(" ") + options_.dirKatalog;
  }
  sl << QStringLiteral(" ") << QStringLiteral("Rok budżetowy: ") + memMain_.RokFull() << QStringLiteral(" ")
     << QStringLiteral("SPRAWOZDANIA WYBRANE DO EKSPORTU:");
  int count = 0;
  for (memSelectSpraw_.first(); !memSelectSpraw_.eof(); memSelectSpraw_.next()) {
    const SelectRow& row = memSelectSpraw_.current();
    if (!row.SELEKCJA) continue;
    sl << QStringLiteral("   ") + row.sNazwa + QLatin1Char(' ') + row.sNazwaCzesc;
    if (perReport)
      sl << QStringLiteral("     Plik otrzyma nazwę: ") + text::TextToFileName(row.sTypSprBestia, 256) + QStringLiteral(".xml");
    ++count;
  }
  if (count == 0) {
    sl << QStringLiteral("  !!!BRAK ZAZNACZONYCH SPRAWOZDAŃ DO EKSPORTU") << QStringLiteral("  !!!EKSPORT NIE BĘDZIE WYKONANY");
  }
  memSelectSpraw_.first();
  return count;
}

void TdtmWertaloMain::Zakonczenie(const ExportResult& result, QStringList& memKoniec, QStringList& listaPlikow) const {
  listaPlikow.clear();
  memKoniec.clear();
  memKoniec << QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE") << QString();
  const bool reports = TypEksportu_ == teSprawozdania;
  // Only files the run wrote are listed (they are what gets packed), in the order written.
  if (options_.chkZapiszPojedynczo) {
    memKoniec << (reports ? QStringLiteral("Sprawozdania wyeksportowano do plików:")
                          : QStringLiteral("Bilanse wyeksportowano do pliku:"))
              << QString();
    for (const WrittenFile& file : result.files) {
      listaPlikow << file.path;
      QString line = file.path;
      const bool signedReport = std::any_of(file.reports.begin(), file.reports.end(),
                                            [](const WrittenReport& written) { return written.report.podpisane; });
      if (signedReport) line += QStringLiteral("\r\nSprawozdanie wyekportowano razem z podpisem elektronicznym");
      memKoniec << line;
    }
  } else {
    memKoniec << (reports ? QStringLiteral("Sprawozdanie wyeksportowano do pliku:")
                          : QStringLiteral("Bilanse wyeksportowano do pliku:"))
              << QString();
    for (const WrittenFile& file : result.files) {
      memKoniec << QFileInfo(file.path).fileName();
      listaPlikow << file.path;
    }
  }
  // A ticked report that got no file is named, never listed as written.
  if (!result.leftOut.empty()) {
    memKoniec << QString() << QStringLiteral("Pominięto (nie zapisano do pliku):");
    for (const LeftOutReport& left : result.leftOut) {
      memKoniec << QStringLiteral("   %1 (%2): %3").arg(left.report.symbol).arg(left.report.idspraw).arg(left.reason);
    }
  }
}

namespace {

// A report approved after this moment counts as approved (DATAZAK of an open one is empty).
QDateTime approvedAfter() { return QDateTime(QDate(1999, 1, 1), QTime(0, 0)); }

// The reports that get a sending date: approved ones without one (:DATAZAK is approvedAfter).
const char* const kDue = "DATAWYSLANIA IS NULL AND DATAZAK>:DATAZAK";

// Most due reports that a range of identifiers leaves out by name; a range with more is dated
// by its named reports' own stretches.
constexpr int kMaxLeftOutByName = 500;

}  // namespace

bool TdtmWertaloMain::ZapiszDateWysylki(qint64 idspraw) {
  db::Query query(db_);
  // The sending date is written once per report, and only for an approved one.
  query.setSql(QStringLiteral("UPDATE %1 SET DATAWYSLANIA= :DATAWYSLANIA WHERE IDSPRAW=:IDSPRAW AND %2")
                   .arg(tableFor(RodzajEksportu_, QStringLiteral("SPRAWOZD")), QLatin1String(kDue)));
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  query.bindDateTime(QStringLiteral("DATAZAK"), approvedAfter());
  query.bindDateTime(QStringLiteral("DATAWYSLANIA"), clock_());
  return query.execSql() > 0;
}

QSet<qint64> TdtmWertaloMain::ZapiszDatyWysylki(const std::vector<qint64>& ids) {
  const QString table = tableFor(RodzajEksportu_, QStringLiteral("SPRAWOZD"));
  const QString dueReports = QLatin1String(kDue) + QStringLiteral(" AND IDSPRAW ");
  const QDateTime now = clock_();
  const QSet<qint64> named(ids.begin(), ids.end());
  QSet<qint64> dated;
  // Everything is read and written in the caller's write transaction, so that nothing changes
  // in between. `which` follows "IDSPRAW "; `bind` binds its parameters.
  const auto dueIn = [&](const QString& which, const std::function<void(db::Query&)>& bind) {
    db::Query found(db_);
    found.setSql(QStringLiteral("SELECT IDSPRAW FROM %1 WHERE %2").arg(table, dueReports) + which);
    found.bindDateTime(QStringLiteral("DATAZAK"), approvedAfter());
    bind(found);
    const db::DataSet rows = found.open();
    std::vector<qint64> due;
    for (const db::DataSet::Row& row : rows.rows()) due.push_back(db::DataSet::integerOf(row.at(0)));
    return due;
  };
  const auto date = [&](const QString& which, const std::function<void(db::Query&)>& bind) {
    db::Query update(db_);
    update.setSql(QStringLiteral("UPDATE %1 SET DATAWYSLANIA= :DATAWYSLANIA WHERE %2").arg(table, dueReports) + which);
    update.bindDateTime(QStringLiteral("DATAZAK"), approvedAfter());
    update.bindDateTime(QStringLiteral("DATAWYSLANIA"), now);
    bind(update);
    update.execSql();
  };
  const QString between = QStringLiteral("BETWEEN :FIRST_ID AND :LAST_ID");
  const auto range = [](qint64 first, qint64 last) {
    return [first, last](db::Query& query) {
      query.bindInt(QStringLiteral("FIRST_ID"), first);
      query.bindInt(QStringLiteral("LAST_ID"), last);
    };
  };
  const auto exactly = [&](const std::vector<qint64>& reports) {
    // Stretches of consecutive identifiers as ranges, the rest listed in parts a server accepts.
    const db::IdStretches exact = db::splitIds(reports, true);
    for (const auto& [first, last] : exact.ranges) date(between, range(first, last));
    for (const QString& list : db::idListTexts(exact.listed)) date(QStringLiteral("IN ") + list, [](db::Query&) {});
  };

  // Close identifiers are taken as one range (as reads take them); the due reports in it that
  // were not named are left out of its statement by name, so that no report is dated that was
  // not written.
  const db::IdStretches split = db::splitIds(ids, false);
  for (const auto& [first, last] : split.ranges) {
    std::vector<qint64> mine;
    std::vector<qint64> others;
    for (const qint64 id : dueIn(between, range(first, last))) (named.contains(id) ? mine : others).push_back(id);
    if (mine.empty()) continue;
    dated.unite(QSet<qint64>(mine.begin(), mine.end()));
    if (others.size() > static_cast<size_t>(kMaxLeftOutByName)) {
      exactly(mine);
    } else if (others.empty()) {
      date(between, range(first, last));
    } else {
      date(between + QStringLiteral(" AND IDSPRAW NOT IN ") + db::idListTexts(others, kMaxLeftOutByName).front(), range(first, last));
    }
  }
  for (const QString& list : db::idListTexts(split.listed)) {
    const std::vector<qint64> due = dueIn(QStringLiteral("IN ") + list, [](db::Query&) {});
    if (due.empty()) continue;
    dated.unite(QSet<qint64>(due.begin(), due.end()));
    date(QStringLiteral("IN ") + list, [](db::Query&) {});
  }
  return dated;
}

QString TdtmWertaloMain::chosenPeriodText() const {
  db::DataSet periods = q_.qrOkresD.data;  // a copy: the picker's row stays where it is
  if (periods.isEmpty() || !periods.locate(QStringLiteral("OpZam"), QVariant(memMain_.OkresOkres2))) return QString();
  return OkresTekst(periods.text(u"OKRES"), static_cast<int>(periods.integer(u"OKRES2")));
}

}  // namespace wertalo::catalogue
