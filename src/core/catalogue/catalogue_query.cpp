// The catalogue's statements, line by line (some lines are rewritten at run time).
#include "core/catalogue/catalogue_query.h"

namespace wertalo::catalogue {

namespace {

QStringList L(std::initializer_list<const char*> lines) {
  QStringList out;
  for (const char* line : lines) out.append(QString::fromUtf8(line));
  return out;
}

}  // namespace

CatalogueQueries::CatalogueQueries(db::Connection& db)
    : qrRok(db, L({"select distinct ROK", "from okresD", "where ((OKRES = '4') and (TYPOKRESU='K'))",
                   " or (0=:ITYPEXP)", "order by rok"})),
      qrOkres(db, L({"select *", "from okresD", "where ((OKRES = '4') or (0=:ITYPEXP)) and (ROK=:ROK)",
                     "order by ROK, OKRES"})),
      qrOkresD(db, L({"select *", "from OkresD", "where (ROK=:ROK)", "order by ROK, OKRES,OKRES2"})),
      qrJSTWyk(db, L({"select * ", "from S_JstWyk",
                      "where (DATA_ROZ<=:DPOCZ) and (DATA_ZAK>=:DKON)  and ID_JST=:IDJST",
                      "order by WK,PK,GK,GT"})),
      qrJSTDop(db, L({"select * from JSTDOP"})),
      qrSprawAkt(db, L({"select * ", "from SPRAWAKT", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                        "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2)", "order by TYPSPR"})),
      qrSprawozd(db, L({"select * ", "from SPRAWOZD", "order by IDSPRAW"})),
      qrS_TypSpr(db, L({"select * ", "from S_TYPSPR", "order by TYPSPR"})),
      qrCalcSpraw(db, L({"select * ", "from SPRAWOZD", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                         "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2)", "order by TYPSPR"})),
      qrJBSprawAkt(db, L({"select * ", "from JBSPRAWAKT", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                          "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2) and",
                          "         (ID_JB=:ID_JB) ", "order by TYPSPR"})),
      qrJBSprawozd(db, L({"select * ", "from JBSPRAWOZD", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                          "         (OKRES=:OKRES) and", "         (OKRES2=:OKRES2) and",
                          "         (ID_JB=:ID_JB) ", "order by IDSPRAW"})),
      qryJBDop(db, L({"select ID_JB,NAZWA AS  URZAD ", "from JBOBS", "WHERE", "ROK=:ROK ", "AND OKRES=:OKRES", ""})),
      qrJBObs(db, L({"select * from JBObs ", "where ", "         (ROK=:ROK) and", "         (OKRES=:OKRES) and",
                     "         (OKRES2=:OKRES2) ", "order by NAZWA"})),
      qrJBObsAkt(db, L({"select * from JBObs ", "where (ID_JST=:ID_JST) and ", "(ID_JB=:ID_JB) and ", "(ROK=:ROK) and",
                        "(OKRES=:OKRES) and", "(OKRES2=:OKRES2)", " "})),
      qrSprawPlan(db, L({"select * from SPRAWPLAN", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                         "         (KWARTAL=:OKRES) and", "         (OKRES2=:OKRES2)"})),
      qrJBSprawPlan(db, L({"select * from JBSprawPlan", "where (ID_JST=:ID_JST) and", "         (ROK=:ROK) and",
                           "         (KWARTAL=:OKRES) and", "         (OKRES2=:OKRES2)  and",
                           "         (ID_JB=:ID_JB)"})) {}

}  // namespace wertalo::catalogue
