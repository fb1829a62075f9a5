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

}  // namespace wertalo::catalogue
