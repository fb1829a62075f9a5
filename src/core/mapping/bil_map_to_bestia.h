// Wertalo mapping: the mapping data module. It keeps the assignment of the product's balance
// positions to Besti@ positions (BILTOBESTIAMAP), maps them automatically by symbol and name,
// and carries out the mapping form's commands.
#pragma once

#include <QString>

#include <vector>

#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/mapping/bestia_list.h"
#include "core/mapping/map_table.h"
#include "core/mapping/mapping_types.h"
#include "core/mapping/position_query.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::mapping {

// The message of a refused assignment, shown once per position that already has the Besti@ position.
inline const QString kPozycjaJuzPrzypisana = QStringLiteral(
    "BŁĄD!! Wskazana pozycja bilansu już jest przypisana w innym miejscu. Polecenie nie może być wykonane.");

// A position that the last automatic mapping left without a Besti@ position.
struct UnmatchedPosition {
  QString TYPSPR;
  qint64 ID_BILPOZ = 0;
  QString TYP;
  QString NAZWA;
  QString sBestiaId;
};

// The one-row memBilBestiaMap: the Besti@ position shown (and chosen) for the current position.
struct MemBilBestiaMap {
  qint64 ID_POZBESTIA = 0;
};

// The Besti@ choice list (qryS_BilBestiaLook): the valid positions of the chosen kind and side.
struct ChoiceList {
  explicit ChoiceList(db::Connection& connection) : query(connection) {}
  db::Query query;
  db::DataSet data;
  bool active = false;
};

class TdtmBilMapToBestia {
 public:
  // Opens the assignment table and the Besti@ list for the year. `ui` receives the messages.
  // Database errors raise db::DbError.
  TdtmBilMapToBestia(db::Connection& connection, platform::UserInterface& ui, const MappingPeriod& period);
  TdtmBilMapToBestia(const TdtmBilMapToBestia&) = delete;
  TdtmBilMapToBestia& operator=(const TdtmBilMapToBestia&) = delete;

  // Moves to another year: closes the lists and reopens the Besti@ list for it.
  void setPeriod(const MappingPeriod& period);
  const MappingPeriod& period() const { return period_; }

  // ---- The form's operations ---------------------------------------------------------------
  // Chooses the positions shown (kind and side) and the Besti@ choices offered; opens the
  // list of the kind (none for tsRazem) as `srcQryBilPoz`.
  void EkspSetMapFilter(TTypSpr ts, TAktywaPasywa ap);
  // Whether a local-government position shown by the filter has an assigned Besti@ position.
  bool EkspByloMapowanie();
  // Maps every position of both lists (as filtered) that has no assignment yet, by computed
  // symbol, then name, then (for a "Suma" line) the blank symbol. Returns the number of
  // positions left without a Besti@ position; `unmatched()` names them.
  int EkspMapujAutomatycznie();
  // Writes one assignment at once. With `bUnikalny` a Besti@ position already assigned to
  // another position of the chosen kind, side, year and period is refused with the message.
  // Without `bModyfikuj` a non-zero entry is kept. Returns the Besti@ id now in force, or 0
  // after a refusal.
  qint64 EkspPrzypiszPozycje(const QString& sTypSpr, qint64 iD_BilPoz, qint64 Id_BilBestia, bool bModyfikuj,
                             bool bUnikalny);
  // EkspPrzypiszPozycje for the current row of `srcQryBilPoz` (0 and nothing written when
  // there is none).
  qint64 EkspPrzypiszAktPozycje(qint64 Id_BilBestia, bool bModyfikuj, bool bUnikalny);
  // The entry of a position; a missing row is created with 0.
  qint64 EkspZnajdzPrzypisanie(const QString& sTypSpr, qint64 iD_BilPoz);
  // Writes 0 for every position of `srcQryBilPoz` (creating missing rows) and reopens it.
  void EkspUsunMapowania();
  // The rule of the grid's data source: `memBilBestiaMap` follows the current position of
  // `srcQryBilPoz` (its row is created with 0 when missing). The form calls it whenever its
  // current row changes.
  void srcQryBilPozDataChange();
  // Runs the grid's list (`srcQryBilPoz`) anew as it is filtered, so that its status column
  // follows the table; the cursor goes back to the position it stood on (the first row when
  // that position is gone). Nothing when the list is not open.
  void reopenList();

  // The positions the last automatic mapping left without a Besti@ position, in its order.
  const std::vector<UnmatchedPosition>& unmatched() const { return unmatched_; }

  // ---- For other views ---------------------------------------------------------------------
  // The assignment of a position from the table as last read (`refreshAssignments`).
  Assignment assignmentOf(const QString& typspr, qint64 idBilPoz) const;
  // Re-reads the assignment table.
  void refreshAssignments() { map_.reload(); }

  // ---- The module's lists ------------------------------------------------------------------
  PositionQuery& qryBilPoz() { return qryBilPoz_; }
  PositionQuery& qryJBBilPoz() { return qryJBBilPoz_; }
  // The list shown in the form's grid: qryBilPoz or qryJBBilPoz.
  PositionQuery& srcQryBilPoz() { return *srcQryBilPoz_; }
  // The Besti@ positions valid at the end of the year.
  BestiaList& qryS_BilBestia() { return qryS_BilBestia_; }
  // The Besti@ choices of the chosen kind and side (the form's lookup combo).
  ChoiceList& qryS_BilBestiaLook() { return qryS_BilBestiaLook_; }

  // Kind and side chosen on the form (the uniqueness check reads them).
  TTypSpr TypSpr = tsBILB;
  TAktywaPasywa AktywaPasywa = apAktywa;
  MemBilBestiaMap memBilBestiaMap;

 private:
  // Opens a position list on the table as it is now.
  void openList(PositionQuery& list);
  // Writes an entry given the one found (nothing: no row); returns the id in force.
  qint64 assign(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia, bool modify,
                std::optional<qint64> existing);
  // The uniqueness check: shows the message for each other position of the chosen kind and
  // side that has the Besti@ position; true when there was any.
  bool takenElsewhere(const QString& sTypSpr, qint64 iD_BilPoz, qint64 Id_BilBestia);
  // The Besti@ position automatic mapping finds for a position row; 0 when none.
  qint64 automaticMatch(const QString& typspr, const QString& typ, const QString& nazwa, const QString& sBestiaId) const;

  db::Connection& connection_;
  platform::UserInterface& ui_;
  MappingPeriod period_;
  MapTable map_;
  BestiaList qryS_BilBestia_;
  ChoiceList qryS_BilBestiaLook_;
  PositionQuery qryBilPoz_;
  PositionQuery qryJBBilPoz_;
  PositionQuery* srcQryBilPoz_;
  db::Query uniqueBilPoz_;
  db::Query uniqueJBBilPoz_;
  std::vector<UnmatchedPosition> unmatched_;
};

}  // namespace wertalo::mapping
