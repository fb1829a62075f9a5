// Wertalo: a catalogue statement kept line by line, with its last result.
#pragma once

#include <QStringList>

#include "core/db/data_set.h"
#include "core/db/query.h"

namespace wertalo::catalogue {

// A statement of the catalogue: its text lines (some are rewritten at run time) and the
// rows of its last run. `active` tells whether it has been opened.
struct CatalogueQuery {
  CatalogueQuery(db::Connection& connection, QStringList sqlLines) : query(connection) {
    query.setLines(std::move(sqlLines));
  }

  db::Query query;
  db::DataSet data;
  bool active = false;
};

// The statements of the catalogue, with their texts as the product has them.
struct CatalogueQueries {
  explicit CatalogueQueries(db::Connection& db);

  CatalogueQuery qrRok;          // budget years
  CatalogueQuery qrOkres;        // periods of the year (whole year only for balance sheets)
  CatalogueQuery qrOkresD;       // every period row of the year
  CatalogueQuery qrJSTWyk;       // the unit itself
  CatalogueQuery qrJSTDop;       // the unit's REGON
  CatalogueQuery qrSprawAkt;     // the unit's reports of the period
  CatalogueQuery qrSprawozd;     // the unit's report headers
  CatalogueQuery qrS_TypSpr;     // report type names
  CatalogueQuery qrCalcSpraw;    // the unit's report headers of the period
  CatalogueQuery qrJBSprawAkt;   // budget units' reports of the period
  CatalogueQuery qrJBSprawozd;   // budget units' report headers
  CatalogueQuery qryJBDop;       // budget unit names
  CatalogueQuery qrJBObs;        // budget units of the period
  CatalogueQuery qrJBObsAkt;     // budget units of an export run
  CatalogueQuery qrSprawPlan;    // the unit's plan rows
  CatalogueQuery qrJBSprawPlan;  // budget units' plan rows
};

}  // namespace wertalo::catalogue
