#include "core/catalogue/wertalo_main.h"

#include "core/db/db_error.h"
#include "core/platform/user_interface.h"

namespace wertalo::catalogue {

TdtmWertaloMain::TdtmWertaloMain(platform::UserInterface& userInterface, QString winIni, const ReportTypes& types)
    : ui_(userInterface), types_(types), q_(db_), clock_([] { return QDateTime::currentDateTime(); }) {
  installation_.winIni = std::move(winIni);
}

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
    if (key == QLatin1String("ID_JST")) query.bindInt(name, memMain_.ID_JST);
    else if (key == QLatin1String("ROK")) query.bindText(name, memMain_.ROK);
    else if (key == QLatin1String("OKRES")) query.bindText(name, memMain_.OKRES);
    else if (key == QLatin1String("OKRES2")) query.bindInt(name, memMain_.OKRES2);
    else if (key == QLatin1String("ID_JB")) query.bindInt(name, memMain_.ID_JB);
    else if (key == QLatin1String("ITYPEXP")) query.bindInt(name, ITYPEXP_);
  }
}

void TdtmWertaloMain::open(CatalogueQuery& q) {
  bindFromMemMain(q.query);
  // The period lists follow the year list's current row, not memMain.
  if (&q == &q_.qrOkres || &q == &q_.qrOkresD) {
    q.query.bindText(QStringLiteral("ROK"), !q_.qrRok.data.eof() ? q_.qrRok.data.text(u"ROK") : memMain_.ROK);
  }
  q.data = q.query.open();
  q.active = true;
}

void TdtmWertaloMain::DataModuleCreate() {
  ConnectTervik();
  openCatalogue();
}

void TdtmWertaloMain::openUnit() {
  TypEksportu_ = teSprawozdania;
  ITYPEXP_ = 0;
  open(q_.qrRok);
  q_.qrRok.data.last();

  const db::DataSet params = db::openSql(db_, QStringLiteral("select * from PARAMS"));
  IdJST_ = params.isEmpty() ? 0 : params.integer(u"IdJST");
  open(q_.qrOkres);
  open(q_.qrOkresD);
  yearRowChanged();

  q_.qrJSTWyk.query.bindInt(QStringLiteral("IDJST"), IdJST_);
  const bool havePeriod = !q_.qrOkres.data.eof();
  q_.qrJSTWyk.query.bindDate(QStringLiteral("DPOCZ"), havePeriod ? q_.qrOkres.data.date(u"DPOCZ") : QDate());
  q_.qrJSTWyk.query.bindDate(QStringLiteral("DKON"), havePeriod ? q_.qrOkres.data.date(u"DKON") : QDate());
  q_.qrJSTWyk.data = q_.qrJSTWyk.query.open();
  q_.qrJSTWyk.active = true;
  unitDataChanged();
}

void TdtmWertaloMain::openCatalogue() {
  openUnit();
  open(q_.qrJBObs);
  open(q_.qrS_TypSpr);

  if (RodzajProg_ == rBudzetJST) {
    open(q_.qrSprawozd);
    open(q_.qrSprawAkt);
    open(q_.qrSprawPlan);
    open(q_.qrCalcSpraw);
  }
  open(q_.qrJBSprawozd);
  open(q_.qrJBSprawAkt);
  open(q_.qrJBSprawPlan);
  UstawTypEksporu(teSprawozdania);
}

TTypEksportu TdtmWertaloMain::UstawTypEksporu(TTypEksportu TE) {
  if (TE == TypEksportu_) return TE;
  TypEksportu_ = TE;
  if (TE == teBilanse) {
    ITYPEXP_ = 1;
    memMain_.OKRES = QStringLiteral("4");
    memMain_.OKRES2 = 0;
    memMain_.OkresOkres2 = QStringLiteral("4000");
  } else {
    ITYPEXP_ = 0;
  }
  const QString rok = !q_.qrRok.data.eof() ? q_.qrRok.data.text(u"ROK") : QString();
  open(q_.qrRok);
  q_.qrRok.data.first();
  q_.qrRok.data.locate(QStringLiteral("ROK"), rok);
  const QString okres = !q_.qrOkres.data.eof() ? q_.qrOkres.data.text(u"OKRES") : QString();
  open(q_.qrOkres);
  q_.qrOkres.data.first();
  q_.qrOkres.data.locate(QStringLiteral("OKRES"), okres);
  open(q_.qrOkresD);
  yearRowChanged();
  // Balance sheets are always for the whole year, also when the year list moved to another year.
  if (TE == teBilanse) {
    memMain_.OKRES = QStringLiteral("4");
    memMain_.OKRES2 = 0;
    memMain_.OkresOkres2 = QStringLiteral("4000");
  }
  refreshReports();
  return TE;
}

void TdtmWertaloMain::refreshReports() {
  if (!db_.isOpen()) return;
  if (RodzajProg_ == rBudzetJST) {
    open(q_.qrSprawozd);
    open(q_.qrSprawAkt);
    open(q_.qrSprawPlan);
    open(q_.qrCalcSpraw);
  }
  open(q_.qrJBObs);
  open(q_.qrJBSprawozd);
  open(q_.qrJBSprawAkt);
  open(q_.qrJBSprawPlan);
}

}  // namespace wertalo::catalogue
