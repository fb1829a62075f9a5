// Wertalo: the one registry of report families: for each, its type code, Besti@ symbol,
// place in a package, where it is offered, its remark rows and its body.
#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <span>

#include "core/catalogue/report_types.h"
#include "core/package/bodies/body.h"

namespace wertalo::package {

// How the extended information of a report adds the rows of its remark tables.
enum class RemarkRows {
  None,
  FirstRowText,  // INFORMACJE_DODATKOWE with UWAGI of the first row
  ByKod,         // INFORMACJE_DODATKOWE with one child per row, named by KOD
  ByPosition,    // INFORMACJE_DODATKOWE with one child per row, named "ID_S_PRO" + ID_S_SPRPO
};

// The remark tables of a report type (plain names; the "JB" twins are read for budget units).
struct Remarks {
  RemarkRows rows = RemarkRows::None;
  std::array<const char*, 2> tables{};
};

// Where a family is offered: as a report of the unit itself, of budget units, or as a balance
// sheet (every balance sheet is offered when balance sheets are exported).
enum Offered : unsigned char { OfferedNowhere = 0, OfferedJst = 1, OfferedJb = 2, OfferedBoth = 3, OfferedBalanceSheet = 4 };

// One report family. A symbol reached otherwise than by a type code (Rb-34s by its plan row,
// Rb-30 by a host call, the parts of Rb-50) has an empty type code.
struct ReportFamily {
  const char* typspr;      // the product's report type code
  const char* symbol;      // the Besti@ symbol and report element
  int order;               // place of the symbol inside a unit of a package; 0: before all
  Offered offered;         // where it is offered
  Remarks remarks;         // remark rows of the extended information
  Body body;               // no body: not written yet, left out of exports
  std::array<const char*, 2> parts{};  // written as these symbols instead (Rb-50: D and W)
  const char* keptXmlTyp = nullptr;    // a part's TYP in the kept-XML table
};

// The registry: lookups by type code and by symbol (the first family of a symbol answers).
class ReportRegistry : public catalogue::ReportTypes {
 public:
  // The registry of every family this program knows.
  static const ReportRegistry& instance();
  explicit ReportRegistry(std::span<const ReportFamily> families);

  std::span<const ReportFamily> families() const { return families_; }
  // The family of a type code, or null.
  const ReportFamily* byType(const QString& typspr) const;
  // The balance-sheet family of a type code, or null (also for a report's type code).
  const ReportFamily* balanceSheetByType(const QString& typspr) const;
  // The first family of a symbol (compared exactly, with case), or null.
  const ReportFamily* bySymbol(const QString& symbol) const;
  // The place of a symbol inside a unit of a package; 0 for a symbol outside the order.
  int orderOf(const QString& symbol) const;
  // Whether a report of this selection symbol gets its element (every part, for Rb-50).
  bool bodyWritten(const QString& symbol) const;
  // The symbols a report of this selection symbol is written as: its parts, or itself.
  std::vector<QString> writtenAs(const QString& symbol) const;
  // The symbol whose anchor a report's signatures refer to: its first part, or itself.
  QString signatureSymbol(const QString& symbol) const;

  QString symbolOf(const QString& typspr) const override;
  bool offered(const QString& typspr, catalogue::TRodzajEksportu kind) const override;

 private:
  std::span<const ReportFamily> families_;
  QHash<QString, const ReportFamily*> byType_;
  QHash<QString, const ReportFamily*> bySymbol_;
};

}  // namespace wertalo::package
