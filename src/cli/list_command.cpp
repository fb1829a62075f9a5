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

struct PeriodItem {
  QString name, code, key;
  bool chosen;
};

std::vector<PeriodItem> periods(TdtmWertaloMain& dtm) {
  std::vector<PeriodItem> out;
  db::DataSet ds = dtm.qrOkresD.data;
  for (ds.first(); !ds.eof(); ds.next()) {
    const QString okres = ds.text(u"Okres");
    const int okres2 = static_cast<int>(ds.integer(u"Okres2"));
    const QString key = ds.text(u"OpZam");
    // Balance sheets are yearly: only the whole year is a period for them.
    if (dtm.TypEksportu == teBilanse && key != QLatin1String("4000")) continue;
    out.push_back({TdtmWertaloMain::OkresTekst(okres, okres2), TdtmWertaloMain::periodCode(okres, okres2), key,
                   key == dtm.memMain.OkresOkres2});
  }
  return out;
}

QString yesNo(bool b) { return b ? QStringLiteral("tak") : QStringLiteral("nie"); }
QString dateText(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }

QJsonObject toJson(Session& s) {
  TdtmWertaloMain& dtm = *s.dtm;
  const MemMain& m = dtm.memMain;
  QJsonObject unit{{QStringLiteral("id"), m.ID_JST},  {QStringLiteral("name"), m.NAZWA}, {QStringLiteral("type"), m.TYP},
                   {QStringLiteral("regon"), m.REGON}, {QStringLiteral("wk"), m.WK},     {QStringLiteral("pk"), m.PK},
                   {QStringLiteral("gk"), m.GK},       {QStringLiteral("gt"), m.GT},     {QStringLiteral("pt"), m.PT}};
  QJsonArray years;
  db::DataSet rok = dtm.qrRok.data;
  for (rok.first(); !rok.eof(); rok.next()) years.append(QStringLiteral("20") + rok.text(u"ROK"));
  QJsonArray periodList;
  for (const PeriodItem& p : periods(dtm)) {
    periodList.append(QJsonObject{{QStringLiteral("name"), p.name}, {QStringLiteral("code"), p.code},
                                  {QStringLiteral("key"), p.key}, {QStringLiteral("chosen"), p.chosen}});
  }
  QJsonArray units;
  db::DataSet jb = dtm.qrJBObs.data;
  for (jb.first(); !jb.eof(); jb.next())
    units.append(QJsonObject{{QStringLiteral("id"), jb.integer(u"ID_JB")}, {QStringLiteral("name"), jb.text(u"NAZWA")}});
  QJsonArray reports;
  for (int i = 0; i < dtm.memSelectSpraw.recordCount(); ++i) {
    const SelectRow& r = dtm.memSelectSpraw.at(i);
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
                     {QStringLiteral("kind"), dtm.TypEksportu == teBilanse ? QStringLiteral("balances") : QStringLiteral("reports")},
                     {QStringLiteral("year"), m.RokFull()},
                     {QStringLiteral("period"), m.OKRES},
                     {QStringLiteral("years"), years},
                     {QStringLiteral("periods"), periodList},
                     {QStringLiteral("budgetUnits"), units},
                     {QStringLiteral("reports"), reports}};
}

QString toText(Session& s) {
  TdtmWertaloMain& dtm = *s.dtm;
  const MemMain& m = dtm.memMain;
  QString out;
  out += QStringLiteral("Jednostka: %1\n").arg(m.NAZWA);
  out += QStringLiteral("Kod GUS:   %1 %2 %3 %4 %5   Typ: %6   REGON: %7\n").arg(m.WK, m.PK, m.GK, m.GT, m.PT, m.TYP, m.REGON.trimmed());
  QStringList years;
  db::DataSet rok = dtm.qrRok.data;
  for (rok.first(); !rok.eof(); rok.next()) years << QStringLiteral("20") + rok.text(u"ROK");
  out += QStringLiteral("Lata:      %1 (wybrany: %2)\n\n").arg(years.join(QStringLiteral(", ")), m.RokFull());

  std::vector<QStringList> rows;
  for (const PeriodItem& p : periods(dtm)) rows.push_back({p.chosen ? QStringLiteral("*") : QString(), p.code, p.name});
  out += QStringLiteral("Okresy roku %1:\n").arg(m.RokFull());
  out += textTable({QString(), QStringLiteral("Kod"), QStringLiteral("Okres")}, rows) + QLatin1Char('\n');

  rows.clear();
  db::DataSet jb = dtm.qrJBObs.data;
  for (jb.first(); !jb.eof(); jb.next()) rows.push_back({QString::number(jb.integer(u"ID_JB")), jb.text(u"NAZWA")});
  out += QStringLiteral("Jednostki budżetowe:\n");
  out += rows.empty() ? QStringLiteral("(brak)\n\n") : textTable({QStringLiteral("ID_JB"), QStringLiteral("Nazwa")}, rows) + QLatin1Char('\n');

  rows.clear();
  for (int i = 0; i < dtm.memSelectSpraw.recordCount(); ++i) {
    const SelectRow& r = dtm.memSelectSpraw.at(i);
    rows.push_back({r.sNazwa, r.sNazwaCzesc, r.WersjaSlownie, r.sStatus, dateText(r.Data),
                    r.CZAST > 0 ? QString::number(r.CZAST) : QString(), yesNo(r.podpisane), r.sTypSprBestia,
                    QString::number(r.IDSPRAW)});
  }
  out += (dtm.TypEksportu == teBilanse ? QStringLiteral("Bilanse do eksportu:\n") : QStringLiteral("Sprawozdania do eksportu:\n"));
  out += rows.empty() ? QStringLiteral("(brak)\n")
                      : textTable({QStringLiteral("Nazwa"), QStringLiteral("Klasyfikacja"), QStringLiteral("Wersja"),
                                   QStringLiteral("Status"), QStringLiteral("Data"), QStringLiteral("Część"),
                                   QStringLiteral("Podpis"), QStringLiteral("Symbol"), QStringLiteral("IDSPRAW")},
                                  rows);
  return out;
}

}  // namespace

int runListCommand(const QStringList& args) {
  const auto options = parseCommandOptions(args,
                                    {QStringLiteral("--win-ini"), QStringLiteral("--kind"), QStringLiteral("--year"),
                                     QStringLiteral("--period"), QStringLiteral("--jb"), QStringLiteral("--all-statuses"),
                                     QStringLiteral("--json")});
  if (!options) return 2;
  Session session;
  if (!openSession(*options, session)) return 1;
  if (options->json) {
    out(QString::fromUtf8(QJsonDocument(toJson(session)).toJson(QJsonDocument::Indented)));
  } else {
    out(toText(session));
  }
  return 0;
}

}  // namespace wertalo::cli
