// Bodies of the financial plan reports: each report's element, header and sections in order.
#include "core/package/bodies/rb30_34.h"

#include "core/package/bodies/plan_sections.h"
#include "core/package/headers.h"

namespace wertalo::package {

namespace {

// The report element `name` with its Id, anchored by the report's symbol, and its header: the
// part, section and chapter of the plan, or (Rb-34s) only the version and date.
XmlElement& planElement(XmlFragment& fragment, const ReportContext& report, const QString& name, bool bRB34s, QString* id) {
  const catalogue::SelectRow& row = report.row();
  const QString anchor = anchorText(row.sTypSprBestia, row.IDSPRAW);
  if (id != nullptr) *id = anchor;
  XmlElement& element = fragment.appendElement(name);
  element.setAttribute(QStringLiteral("Id"), anchor.mid(1));
  element.append(ElementNaglowekRB3X(row.Wersja, row.sCzesc, row.sDzial, row.sRozdzial, bRB34s, row.Data));
  return element;
}

}  // namespace

XmlFragment Rb30(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = planElement(fragment, report, report.row().sTypSprBestia, false, id);
  element.append(ElementRb30xPrzychody(report, kPlanRB30));
  element.append(ElementRb30xKoszty(report, kPlanRB30));
  element.append(ElementRb30xStan(report, kPlanRB30));
  element.append(ElementRb30Finansowanie(report));
  element.append(ElementRb30xRozKasowe(report, kPlanRB30));
  return fragment;
}

XmlFragment Rb31(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = planElement(fragment, report, QStringLiteral("Rb-31"), false, id);
  element.append(ElementRb30xPrzychody(report, kPlanRB31));
  element.append(ElementRb30xKoszty(report, kPlanRB31));
  element.append(ElementRb31RozWyniku(report));
  element.append(ElementRb31PodzZysku(report));
  element.append(ElementRb30xStan(report, kPlanRB31));
  element.append(ElementRb30xRozKasowe(report, kPlanRB31));
  return fragment;
}

XmlFragment Rb33(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = planElement(fragment, report, QStringLiteral("Rb-33"), false, id);
  element.append(ElementRb30xPrzychody(report, kPlanRB33));
  element.append(ElementRb30xKoszty(report, kPlanRB33));
  element.append(ElementRb30xStan(report, kPlanRB33));
  element.append(ElementRb33Naleznosci(report));
  element.append(ElementRb33Zobowiazania(report));
  return fragment;
}

XmlFragment Rb34(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = planElement(fragment, report, QStringLiteral("Rb-34"), false, id);
  element.append(ElementRb30xPrzychody(report, kPlanRB34));
  element.append(ElementRb30xKoszty(report, kPlanRB34));
  element.append(ElementRb30xStan(report, kPlanRB34));
  return fragment;
}

XmlFragment Rb34s(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = planElement(fragment, report, QStringLiteral("Rb-34s"), true, id);
  element.append(ElementRb30xPrzychody(report, kPlanRB34s));
  element.append(ElementRb30xKoszty(report, kPlanRB34s));
  element.append(ElementRb30xStan(report, kPlanRB34));
  return fragment;
}

}  // namespace wertalo::package
