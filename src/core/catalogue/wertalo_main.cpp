#include "core/catalogue/wertalo_main.h"

#include "core/db/db_error.h"
#include "core/platform/user_interface.h"

namespace wertalo::catalogue {

namespace {

QStringList L(std::initializer_list<const char*> lines) {
  QStringList out;
  for (const char* line : lines) out.append(QString::fromUtf8(line));
  return out;
}

}  // namespace

TdtmWertaloMain::TdtmWertaloMain(platform::UserInterface& userInterface, QString winIni, const ReportTypes& types)
    : ui(userInterface),
      winIniPath(std::move(winIni)),
      qrRok(DB, L({"select distinct ROK", "from okresD", "where ((OKRES = '4') and (TYPOKRESU='K'))",
                   " or (0=:ITYPEXP)", "order by rok"})),
      qrOkres(DB, L({"select *", "from okresD", "where ((OKRES = '4') or (0=:ITYPEXP)) and (ROK=:ROK)",
                     "order by ROK, OKRES"})),
      qrOkresD(DB, L({"select *", "from OkresD", "where (ROK=:ROK)", "order by ROK, OKRES,OKRES2"})),
      qrJSTWyk(DB, L({"select * ", "from S_JstWyk",
                      "where (DATA_ROZ<=:DPOCZ) and (DATA_ZAK>=:DKON)  and ID_JST=:IDJST",
                      "order by WK,PK,GK,GT"})),
      qrJSTDop(DB, L({"select * from JSTDOP"})),
      qrSprawAkt(DB, L({"select * ", "from SPRAWAKT", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                        "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2)", "order by TYPSPR"})),
      qrSprawozd(DB, L({"select * ", "from SPRAWOZD", "order by IDSPRAW"})),
      qrS_TypSpr(DB, L({"select * ", "from S_TYPSPR", "order by TYPSPR"})),
      qrCalcSpraw(DB, L({"select * ", "from SPRAWOZD", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                         "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2)", "order by TYPSPR"})),
      qrJBSprawAkt(DB, L({"select * ", "from JBSPRAWAKT", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                          "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2) and",
                          "         (ID_JB=:ID_JB) ", "order by TYPSPR"})),
      qrJBSprawozd(DB, L({"select * ", "from JBSPRAWOZD", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                          "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2) and",
                          "         (ID_JB=:ID_JB) ", "order by IDSPRAW"})),
      qryJBDop(DB, L({"select ID_JB,NAZWA AS  URZAD ", "from JBOBS", "WHERE", "ROK=:ROK ", "AND OKRES=:OKRES", ""})),
      qrJBObs(DB, L({"select * from JBObs ", "where ", "         (ROK=:ROK) and", "         (OKRES=:OKRES) and",
                     "         (OKRES2=:OKRES2) ", "order by NAZWA"})),
      qrJBObsAkt(DB, L({"select * from JBObs ", "where (ID_JST=:ID_JST) and ", "(ID_JB=:ID_JB) and ", "(ROK=:ROK) and",
                        "(OKRES=:OKRES) and", "(OKRES2=:OKRES2)", " "})),
      qrSprawPlan(DB, L({"select * from SPRAWPLAN", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                         "         (KWARTAL=:OKRES) and", "         (OKRES2=:OKRES2)"})),
      qrJBSprawPlan(DB, L({"select * from JBSprawPlan", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                           "         (KWARTAL=:OKRES) and", "         (OKRES2=:OKRES2)  and",
                           "         (ID_JB=:ID_JB)"})),
      clock([] { return QDateTime::currentDateTime(); }),
      types_(types) {}

TdtmWertaloMain::~TdtmWertaloMain() = default;

std::unique_ptr<TdtmWertaloMain> dtmWertaloCreate(platform::UserInterface& ui, const QString& winIni,
                                                  const ReportTypes& types) {
  auto module = std::make_unique<TdtmWertaloMain>(ui, winIni, types);
  module->DataModuleCreate();
  return module;
}

void TdtmWertaloMain::bindFromMemMain(db::Query& query) const {
  for (const QString& name : db::Query::parameterNames(query.sql())) {
    const QString key = name.toUpper();
    if (key == QLatin1String("ID_JST")) query.bindInt(name, memMain.ID_JST);
    else if (key == QLatin1String("ROK")) query.bindText(name, memMain.ROK);
    else if (key == QLatin1String("OKRES")) query.bindText(name, memMain.OKRES);
    else if (key == QLatin1String("OKRES2")) query.bindInt(name, memMain.OKRES2);
    else if (key == QLatin1String("ID_JB")) query.bindInt(name, memMain.ID_JB);
    else if (key == QLatin1String("ITYPEXP")) query.bindInt(name, ITYPEXP);
  }
}

void TdtmWertaloMain::open(CatalogueQuery& q) {
  bindFromMemMain(q.query);
  // The period lists follow the year list's current row, not memMain.
  if (&q == &qrOkres || &q == &qrOkresD) {
    q.query.bindText(QStringLiteral("ROK"), !qrRok.data.eof() ? qrRok.data.text(u"ROK") : memMain.ROK);
  }
  q.data = q.query.open();
  q.active = true;
}

bool TdtmWertaloMain::DataModuleCreate() {
  if (!ConnectTervik()) return false;
  openCatalogue();
  return true;
}

void TdtmWertaloMain::openCatalogue() {
  TypEksportu = teSprawozdania;
  ITYPEXP = 0;
  open(qrRok);
  qrRok.data.last();

  const db::DataSet params = db::openSql(DB, QStringLiteral("select * from PARAMS"));
  IdJST = params.isEmpty() ? 0 : params.integer(u"IdJST");
  open(qrOkres);
  open(qrOkresD);
  yearRowChanged();
  open(qrJBObs);
  open(qrS_TypSpr);

  qrJSTWyk.query.bindInt(QStringLiteral("IDJST"), IdJST);
  const bool havePeriod = !qrOkres.data.eof();
  qrJSTWyk.query.bindDate(QStringLiteral("DPOCZ"), havePeriod ? qrOkres.data.date(u"DPOCZ") : QDate());
  qrJSTWyk.query.bindDate(QStringLiteral("DKON"), havePeriod ? qrOkres.data.date(u"DKON") : QDate());
  qrJSTWyk.data = qrJSTWyk.query.open();
  qrJSTWyk.active = true;
  unitDataChanged();

  if (RodzajProg == rBudzetJST) {
    open(qrSprawozd);
    open(qrSprawAkt);
    open(qrSprawPlan);
    open(qrCalcSpraw);
  }
  open(qrJBSprawozd);
  open(qrJBSprawAkt);
  bDodajInfo = true;
  open(qrJBSprawPlan);
  UstawTypEksporu(teSprawozdania);
}

TTypEksportu TdtmWertaloMain::UstawTypEksporu(TTypEksportu TE) {
  if (TE == TypEksportu) return TE;
  TypEksportu = TE;
  if (TE == teBilanse) {
    ITYPEXP = 1;
    memMain.OKRES = QStringLiteral("4");
    memMain.OKRES2 = 0;
    memMain.OkresOkres2 = QStringLiteral("4000");
  } else {
    ITYPEXP = 0;
  }
  const QString rok = !qrRok.data.eof() ? qrRok.data.text(u"ROK") : QString();
  open(qrRok);
  qrRok.data.first();
  qrRok.data.locate(QStringLiteral("ROK"), rok);
  const QString okres = !qrOkres.data.eof() ? qrOkres.data.text(u"OKRES") : QString();
  open(qrOkres);
  qrOkres.data.first();
  qrOkres.data.locate(QStringLiteral("OKRES"), okres);
  open(qrOkresD);
  yearRowChanged();
  // Balance sheets are always for the whole year, also when the year list moved to another year.
  if (TE == teBilanse) {
    memMain.OKRES = QStringLiteral("4");
    memMain.OKRES2 = 0;
    memMain.OkresOkres2 = QStringLiteral("4000");
  }
  refreshReports();
  return TE;
}

void TdtmWertaloMain::refreshReports() {
  if (!DB.isOpen()) return;
  if (RodzajProg == rBudzetJST) {
    open(qrSprawozd);
    open(qrSprawAkt);
    open(qrSprawPlan);
    open(qrCalcSpraw);
  }
  open(qrJBObs);
  open(qrJBSprawozd);
  open(qrJBSprawAkt);
  open(qrJBSprawPlan);
}

}  // namespace wertalo::catalogue
