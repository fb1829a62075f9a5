// `wertalo-cli list`: what can be exported for the chosen year, period and unit.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli/session.h"
#include "cli/text_table.h"

namespace wertalo::cli {

using namespace catalogue;

namespace {

using namespace Qt::StringLiterals;

const QString kUsage =
    u"Użycie: wertalo-cli list [OPCJE]\n"
    u"\n"
    u"Pokazuje jednostkę, lata, okresy wybranego roku z ich kodami, jednostki budżetowe okresu\n"
    u"i sprawozdania (albo bilanse), które można wyeksportować. Niczego nie zapisuje.\n"
    u"\n"
    u"  --win-ini PLIK        WIN.INI instalacji (domyślnie $WERTALO_WIN_INI albo\n"
    u"                        ~/.config/wertalo/win.ini)\n"
    u"  --kind reports|balances  sprawozdania (domyślnie) albo bilanse\n"
    u"  --year RRRR           rok (domyślnie ostatni)\n"
    u"  --period KOD          okres: A–L miesiąc, 1–4 kwartał (domyślnie ostatni w roku)\n"
    u"  --jb ID[,ID...]       sprawozdania tych jednostek budżetowych\n"
    u"  --all-statuses        także sprawozdania niezatwierdzone\n"
    u"  --json                wynik w formacie JSON (dla skryptów)\n"
    u"  --help, -h            ta pomoc\n"
    u"\n"
    u"Kody wyjścia: 0 wykonano; 1 błąd (także rok, okres albo jednostka, których nie ma);\n"
    u"2 niepoprawne wywołanie.\n"_s;

const QStringList kOptions = {u"--win-ini"_s, u"--kind"_s, u"--year"_s, u"--period"_s,
                              u"--jb"_s,      u"--all-statuses"_s, u"--json"_s};

QString yesNo(bool b) { return b ? QStringLiteral("tak") : QStringLiteral("nie"); }
QString dateText(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

QJsonObject toJson(const operations::Session& s) {
  const MemMain& m = s.unit();
  QJsonObject unit{{QStringLiteral("id"), m.ID_JST},  {QStringLiteral("name"), m.NAZWA}, {QStringLiteral("type"), m.TYP},
                   {QStringLiteral("regon"), m.REGON}, {QStringLiteral("wk"), m.WK},     {QStringLiteral("pk"), m.PK},
                   {QStringLiteral("gk"), m.GK},       {QStringLiteral("gt"), m.GT},     {QStringLiteral("pt"), m.PT}};
  QJsonArray years;
  for (const QString& rok : s.years()) years.append(QStringLiteral("20") + rok);
  QJsonArray periodList;
  for (const operations::PeriodItem& p : s.periods()) {
    periodList.append(QJsonObject{{QStringLiteral("name"), p.name}, {QStringLiteral("code"), p.code},
                                  {QStringLiteral("key"), p.key}, {QStringLiteral("chosen"), p.chosen}});
  }
  QJsonArray units;
  for (const operations::BudgetUnitItem& unit : s.budgetUnits())
    units.append(QJsonObject{{QStringLiteral("id"), unit.id}, {QStringLiteral("name"), unit.name}});
  QJsonArray reports;
  for (int i = 0; i < s.selection().recordCount(); ++i) {
    const SelectRow& r = s.selection().at(i);
    reports.append(QJsonObject{{QStringLiteral("name"), r.sNazwa},
                               {QStringLiteral("classification"), r.sNazwaCzesc},
                               {QStringLiteral("version"), r.WersjaSlownie},
                               {QStringLiteral("status"), r.sStatus},
                               {QStringLiteral("date"), dateText(r.Data)},
                               {QStringLiteral("part"), r.CZAST},
                               {QStringLiteral("signed"), r.podpisane},
                               {QStringLiteral("symbol"), r.sTypSprBestia},
                               {QStringLiteral("idspraw"), r.IDSPRAW},
                               {QStringLiteral("id_jb"), r.ID_JB}});
  }
  return QJsonObject{{QStringLiteral("unit"), unit},
                     {QStringLiteral("kind"), s.kind() == teBilanse ? QStringLiteral("balances") : QStringLiteral("reports")},
                     {QStringLiteral("year"), m.RokFull()},
                     {QStringLiteral("period"), m.OKRES},
                     {QStringLiteral("years"), years},
                     {QStringLiteral("periods"), periodList},
                     {QStringLiteral("budgetUnits"), units},
                     {QStringLiteral("reports"), reports}};
}

QString toText(const operations::Session& s) {
  const MemMain& m = s.unit();
  QString out;
  out += QStringLiteral("Jednostka: %1\n").arg(terminalText(m.NAZWA, false));
  out += QStringLiteral("Kod GUS:   %1 %2 %3 %4 %5   Typ: %6   REGON: %7\n").arg(m.WK, m.PK, m.GK, m.GT, m.PT, m.TYP, m.REGON.trimmed());
  QStringList years;
  for (const QString& rok : s.years()) years << QStringLiteral("20") + rok;
  out += QStringLiteral("Lata:      %1 (wybrany: %2)\n\n").arg(years.join(QStringLiteral(", ")), m.RokFull());

  std::vector<QStringList> rows;
  for (const operations::PeriodItem& p : s.periods()) rows.push_back({p.chosen ? QStringLiteral("*") : QString(), p.code, p.name});
  out += QStringLiteral("Okresy roku %1:\n").arg(m.RokFull());
  out += textTable({QString(), QStringLiteral("Kod"), QStringLiteral("Okres")}, rows) + QLatin1Char('\n');

  rows.clear();
  for (const operations::BudgetUnitItem& unit : s.budgetUnits()) rows.push_back({QString::number(unit.id), unit.name});
  out += QStringLiteral("Jednostki budżetowe:\n");
  out += rows.empty() ? QStringLiteral("(brak)\n\n") : textTable({QStringLiteral("ID_JB"), QStringLiteral("Nazwa")}, rows) + QLatin1Char('\n');

  rows.clear();
  for (int i = 0; i < s.selection().recordCount(); ++i) {
    const SelectRow& r = s.selection().at(i);
    rows.push_back({r.sNazwa, r.sNazwaCzesc, r.WersjaSlownie, r.sStatus, dateText(r.Data),
                    r.CZAST > 0 ? QString::number(r.CZAST) : QString(), yesNo(r.podpisane), r.sTypSprBestia,
                    QString::number(r.IDSPRAW)});
  }
  out += (s.kind() == teBilanse ? QStringLiteral("Bilanse do eksportu:\n") : QStringLiteral("Sprawozdania do eksportu:\n"));
  out += rows.empty() ? QStringLiteral("(brak)\n")
                      : textTable({QStringLiteral("Nazwa"), QStringLiteral("Klasyfikacja"), QStringLiteral("Wersja"),
                                   QStringLiteral("Status"), QStringLiteral("Data"), QStringLiteral("Część"),
                                   QStringLiteral("Podpis"), QStringLiteral("Symbol"), QStringLiteral("IDSPRAW")},
                                  rows);
  return out;
}

}  // namespace

int runListCommand(const QStringList& args) {
  const auto options = parseCommandOptions(args, kOptions, 0);
  if (!options) return kExitUsage;
  if (options->help) {
    out(kUsage);
    return kExitDone;
  }
  ConsoleUserInterface ui;
  const std::unique_ptr<operations::Session> session = openSession(*options, ui);
  if (options->json) {
    out(QString::fromUtf8(QJsonDocument(toJson(*session)).toJson(QJsonDocument::Indented)));
  } else {
    out(terminalText(toText(*session)));
  }
  return kExitDone;
}

}  // namespace wertalo::cli
