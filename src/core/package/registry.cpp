// The report families this program knows, in the order of the type codes' table.
#include "core/package/registry.h"

#include "core/package/bodies/bilanse.h"
#include "core/package/bodies/named_positions.h"
#include "core/package/bodies/rb27_28.h"
#include "core/package/bodies/rb30_34.h"
#include "core/package/bodies/rb50.h"
#include "core/package/bodies/rb_n_z.h"
#include "core/package/bodies/rb_nds_pdp.h"
#include "core/package/bodies/rb_st_un_uz.h"

namespace wertalo::package {

namespace {

constexpr Remarks kNoRemarks{};
constexpr Body kNotWritten{};

// Type code, symbol, order, offered, remarks, body, parts, kept-XML TYP.
const ReportFamily kFamilies[] = {
    // Balance sheets, built by the product's type. A host's B-Jed is BILJ's (the first).
    {"BILS", "B-Skon", 2, OfferedBalanceSheet, kNoRemarks, {.build = BilanseBILS}},
    {"BILB", "B-Wyk", 3, OfferedBalanceSheet, kNoRemarks, {.build = BilanseBILB}},
    {"BILJ", "B-Jed", 1, OfferedBalanceSheet, kNoRemarks, {.build = BilanseBILJ}},
    {"BILL", "B-Jed", 1, OfferedBalanceSheet, kNoRemarks, {.build = BilanseBILL}},
    // Budget execution.
    {"D", "Rb-27s", 7, OfferedBoth, kNoRemarks, {.table = &R27S}},
    {"RBZZ", "Rb-27ZZ", 8, OfferedBoth, kNoRemarks, {.build = R27ZZ}},
    {"W", "Rb-28s", 9, OfferedBoth, kNoRemarks, {.table = &R28S}},
    {"NWS", "Rb-28nws", 24, OfferedBoth, kNoRemarks, {.table = &R28NWS}},
    // Financial plans. Rb-30s is outside the package order (the order lists "Rb-30").
    {"RB30", "Rb-30s", 0, OfferedBoth, kNoRemarks, {.build = Rb30}},
    {"", "Rb-30", 10, OfferedNowhere, kNoRemarks, {.build = Rb30}},
    {"WS", "Rb-WS", 6, OfferedBoth, kNoRemarks, {.build = RbWS}},
    {"RB31", "Rb-31", 11, OfferedBoth, kNoRemarks, {.build = Rb31}},
    {"RB33", "Rb-33", 12, OfferedBoth, kNoRemarks, {.build = Rb33}},
    {"RB34", "Rb-34", 14, OfferedBoth, kNoRemarks, {.build = Rb34}},
    {"", "Rb-34s", 13, OfferedNowhere, kNoRemarks, {.build = Rb34s}},
    // Debt and other reports.
    {"N", "Rb-N", 16, OfferedBoth, {RemarkRows::ByPosition, {"N21", "N21B"}}, {.build = RbN}},
    {"F", "Rb-NDS", 18, OfferedJst, kNoRemarks, {.build = RbNDS}},
    {"P", "Rb-PDP", 19, OfferedJst, kNoRemarks, {.build = RbPDP}},
    {"Z", "Rb-Z", 20, OfferedBoth, {RemarkRows::FirstRowText, {"Z2"}}, {.build = RbZ}},
    {"UZ", "Rb-UZ", 21, OfferedBoth, {RemarkRows::ByKod, {"UZ"}}, {.build = RbUZ}},
    {"ST", "Rb-ST", 22, OfferedBoth, {RemarkRows::FirstRowText, {"RBST"}}, {.build = RbST}},
    {"ZN", "Rb-ZN", 23, OfferedBoth, kNoRemarks, {.build = RbZN}},
    {"UN", "Rb-UN", 17, OfferedBoth, {RemarkRows::ByKod, {"UN"}}, {.build = RbUN}},
    {"FJ", "F-Zzf", 5, OfferedBoth, kNoRemarks, {.build = RbZFJ}},
    {"ZS", "F-Rzs", 4, OfferedBoth, kNoRemarks, {.build = RbZS}},
    // Rb-50 is written as its two parts, each with its own kept XML (TYP "D" and "W").
    {"RB50", "Rb-50", 15, OfferedBoth, kNoRemarks, kNotWritten, {"Rb-50D", "Rb-50W"}},
    {"", "Rb-50D", 0, OfferedNowhere, kNoRemarks, {.buildTask = Rb50D}, {}, "D"},
    {"", "Rb-50W", 0, OfferedNowhere, kNoRemarks, {.buildTask = Rb50W}, {}, "W"},
};

}  // namespace

const ReportRegistry& ReportRegistry::instance() {
  static const ReportRegistry registry(kFamilies);
  return registry;
}

ReportRegistry::ReportRegistry(std::span<const ReportFamily> families) : families_(families) {
  for (const ReportFamily& family : families_) {
    const QString typspr = QString::fromLatin1(family.typspr);
    const QString symbol = QString::fromLatin1(family.symbol);
    if (!typspr.isEmpty() && !byType_.contains(typspr)) byType_.insert(typspr, &family);
    if (!bySymbol_.contains(symbol)) bySymbol_.insert(symbol, &family);
  }
}

const ReportFamily* ReportRegistry::byType(const QString& typspr) const { return byType_.value(typspr, nullptr); }

const ReportFamily* ReportRegistry::balanceSheetByType(const QString& typspr) const {
  const ReportFamily* family = byType(typspr);
  return family != nullptr && (family->offered & OfferedBalanceSheet) != 0 ? family : nullptr;
}

const ReportFamily* ReportRegistry::bySymbol(const QString& symbol) const { return bySymbol_.value(symbol, nullptr); }

int ReportRegistry::orderOf(const QString& symbol) const {
  const ReportFamily* family = bySymbol(symbol);
  return family != nullptr ? family->order : 0;
}

std::vector<QString> ReportRegistry::writtenAs(const QString& symbol) const {
  const ReportFamily* family = bySymbol(symbol);
  if (family == nullptr || family->parts[0] == nullptr) return {symbol};
  std::vector<QString> parts;
  for (const char* part : family->parts) {
    if (part != nullptr) parts.push_back(QString::fromLatin1(part));
  }
  return parts;
}

bool ReportRegistry::bodyWritten(const QString& symbol) const {
  for (const QString& part : writtenAs(symbol)) {
    const ReportFamily* family = bySymbol(part);
    if (family == nullptr || !family->body.isWritten()) return false;
  }
  return true;
}

QString ReportRegistry::signatureSymbol(const QString& symbol) const { return writtenAs(symbol).front(); }

QString ReportRegistry::symbolOf(const QString& typspr) const {
  const ReportFamily* family = byType(typspr);
  return family != nullptr ? QString::fromLatin1(family->symbol) : QString();
}

bool ReportRegistry::offered(const QString& typspr, catalogue::TRodzajEksportu kind) const {
  const ReportFamily* family = byType(typspr);
  if (family == nullptr) return false;
  return (family->offered & (kind == catalogue::rJST ? OfferedJst : OfferedJb)) != 0;
}

}  // namespace wertalo::package
