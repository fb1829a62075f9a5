// The run around the writing of the files: summary, completion text, sending date.
#include "core/catalogue/wertalo_main.h"

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

QString TdtmWertaloMain::exportFolder() const { return platform::nativePath(frmParams.dirKatalog); }

int TdtmWertaloMain::WykonajPosumowanie(QStringList& sl) {
  sl.clear();
  const bool perReport = frmWertalo.chkZapiszPojedynczo;
  if (perReport) {
    sl << QStringLiteral("Wybrano opcję zapisu każdego sprawozdania w oddzielnym pliku XML.") << QStringLiteral(" ")
       << QStringLiteral("Dane zostaną zapisane w folderze:") << QStringLiteral(" ") + frmParams.dirKatalog;
  }
  sl << QStringLiteral(" ") << QStringLiteral("Rok budżetowy: ") + memMain.RokFull() << QStringLiteral(" ")
     << QStringLiteral("SPRAWOZDANIA WYBRANE DO EKSPORTU:");
  int count = 0;
  for (memSelectSpraw.first(); !memSelectSpraw.eof(); memSelectSpraw.next()) {
    const SelectRow& row = memSelectSpraw.current();
    if (!row.SELEKCJA) continue;
    sl << QStringLiteral("   ") + row.sNazwa + QLatin1Char(' ') + row.sNazwaCzesc;
    if (perReport)
      sl << QStringLiteral("     Plik otrzyma nazwę: ") + text::TextToFileName(row.sTypSprBestia, 256) + QStringLiteral(".xml");
    ++count;
  }
  if (count == 0) {
    sl << QStringLiteral("  !!!BRAK ZAZNACZONYCH SPRAWOZDAŃ DO EKSPORTU") << QStringLiteral("  !!!EKSPORT NIE BĘDZIE WYKONANY");
  }
  memSelectSpraw.first();
  return count;
}

void TdtmWertaloMain::Zakonczenie(QStringList& memKoniec, QStringList& listaPlikow) {
  listaPlikow.clear();
  memKoniec.clear();
  memKoniec << QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE") << QString();
  const bool reports = TypEksportu == teSprawozdania;
  if (frmWertalo.chkZapiszPojedynczo) {
    memKoniec << (reports ? QStringLiteral("Sprawozdania wyeksportowano do plików:")
                          : QStringLiteral("Bilanse wyeksportowano do pliku:"))
              << QString();
    for (int i = 0; i < memSelectSpraw.recordCount(); ++i) {
      const SelectRow& row = memSelectSpraw.at(i);
      if (!row.SELEKCJA) continue;
      const QString path = platform::joinPath(exportFolder(), NazwaPlikuXml(row));
      listaPlikow << path;
      QString line = path;
      if (row.podpisane) line += QStringLiteral("\r\nSprawozdanie wyekportowano razem z podpisem elektronicznym");
      memKoniec << line;
    }
  } else {
    memKoniec << (reports ? QStringLiteral("Sprawozdanie wyeksportowano do pliku:")
                          : QStringLiteral("Bilanse wyeksportowano do pliku:"))
              << QString() << sNazwaPliku;
    // The list of written files holds full paths (it is what gets packed).
    listaPlikow << (sNazwaKatalogu.isEmpty() ? sNazwaPliku : platform::joinPath(sNazwaKatalogu, sNazwaPliku));
  }
}

void TdtmWertaloMain::ZapiszDateWysylki(qint64 idspraw) {
  db::Query query(DB);
  query.setSql(RodzajEksportu == rJB
                   ? QStringLiteral("UPDATE JBSPRAWOZD SET DATAWYSLANIA= :DATAWYSLANIA WHERE IDSPRAW=:IDSPRAW AND "
                                    "DATAWYSLANIA IS NULL AND DATAZAK>:DATAZAK")
                   : QStringLiteral("UPDATE SPRAWOZD SET  DATAWYSLANIA= :DATAWYSLANIA WHERE IDSPRAW=:IDSPRAW AND "
                                    "DATAWYSLANIA IS NULL AND DATAZAK>:DATAZAK"));
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  query.bindDateTime(QStringLiteral("DATAZAK"), QDateTime(QDate(1999, 1, 1), QTime(0, 0)));
  query.bindDateTime(QStringLiteral("DATAWYSLANIA"), clock());
  query.execSql();
}

}  // namespace wertalo::catalogue
