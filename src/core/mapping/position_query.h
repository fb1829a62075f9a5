// Wertalo mapping: a list of the product's balance positions (qryBilPoz over BILPOZ,
// qryJBBilPoz over JBBILPOZ) with the fields the mapping looks up and calculates per row.
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/mapping/mapping_types.h"

namespace wertalo::mapping {

class BestiaList;
class MapTable;

// The looked-up and calculated fields of one position row.
struct PositionFields {
  std::optional<qint64> iParent1;  // PARENT of the parent
  QString sParent1;                // NAZWA of the parent
  QString sParent2;                // NAZWA of the grandparent
  std::optional<qint64> iParent2;  // PARENT of the grandparent (budget-unit positions only)
  QString sParent3;                // NAZWA of the great-grandparent, 16 characters (budget-unit positions only)
  std::optional<qint64> iBilBestiaMap;  // the entry of BILTOBESTIAMAP; nothing without a row
  QString sBestiaSymbol;           // SYMBOL of the assigned Besti@ position
  QString sBestiaNazwa;            // NAZWA of the assigned Besti@ position
  QString sBestiaId;               // the computed symbol
  QString sMapStatus;              // "<>", "-" or "?"
};

// What the assignment table says of one position: its entry and the texts of the Besti@
// position it names.
struct Assignment {
  std::optional<qint64> iBilBestiaMap;  // nothing when the table has no row
  QString sBestiaSymbol;                // empty unless a valid Besti@ position is named
  QString sBestiaNazwa;
};

// The assignment of a position by its report kind and ID_BILPOZ, from the table as last read.
Assignment assignmentOf(const MapTable& map, const BestiaList& bestia, const QString& typspr, qint64 idBilPoz);

// The line numbers of the statement that the filter rewrites.
inline constexpr int kKindLine = 4;
inline constexpr int kSideLine = 5;

// A position statement, its rows of the last opening (with a cursor) and their fields.
class PositionQuery {
 public:
  PositionQuery(db::Connection& connection, PositionTable table);

  PositionTable table() const { return table_; }
  // The statement, line by line: lines 4 (kind) and 5 (side) are rewritten by the filter.
  db::Query& query() { return query_; }
  const db::Query& query() const { return query_; }
  // Binds ROK and DATAKONCAOKRESU of this statement and of its parent lookup.
  void bindPeriod(const MappingPeriod& period);

  // Runs the statement and the parent lookup, and fills every row's fields from the
  // assignment table and the Besti@ list. The cursor stands on the first row.
  void open(const MapTable& map, const BestiaList& bestia);
  void close();
  bool active() const { return active_; }

  // The rows and the cursor (the current row is the one the current-row operations use).
  db::DataSet& data() { return data_; }
  const db::DataSet& data() const { return data_; }
  // The fields of the current row (empty fields when there is none) or of a row by number.
  const PositionFields& fields() const;
  const PositionFields& fieldsAt(int row) const { return fields_.at(static_cast<size_t>(row)); }

 private:
  PositionTable table_;
  db::Query query_;
  db::Query look_;  // qrBILPOZ_Look / qrJBBILPOZ_Look
  db::DataSet data_;
  std::vector<PositionFields> fields_;
  bool active_ = false;
};

}  // namespace wertalo::mapping
