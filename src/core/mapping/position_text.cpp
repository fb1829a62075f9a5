#include "core/mapping/position_text.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

namespace {

// The label of a name with its dot ("I." of "I. Rzeczowe aktywa trwałe"); empty when the name
// has no ". ".
QString labelWithDot(const QString& name) {
  const qsizetype at = name.indexOf(u". "_s);
  return at < 0 ? QString() : name.left(at + 1);
}

}  // namespace

QString computedSymbol(PositionTable table, const QString& typspr, const QString& nazwa, const ParentNames& parents) {
  const bool budgetUnits = table == PositionTable::JBBILPOZ;
  QString symbol;
  qsizetype at = nazwa.indexOf(u". "_s);
  if (at < 0 && budgetUnits) at = nazwa.indexOf(u".P"_s);
  if (at >= 0) symbol = nazwa.left(at);

  // The parent's label is left out where the positions number their parents' parts
  // ("1.1. Długoterminowe" under "1. Zobowiązania finansowe").
  const QString parent = labelWithDot(parents.sParent1);
  const bool numberedKind = typspr == (budgetUnits ? u"BILJ"_s : u"BILB"_s);
  if (!(numberedKind && (parent == u"1."_s || parent == u"2."_s))) symbol.prepend(parent);
  symbol.prepend(labelWithDot(parents.sParent2));
  if (budgetUnits) symbol.prepend(labelWithDot(parents.sParent3.left(kGreatGrandparentWidth)));
  return symbol.left(kSymbolWidth);
}

QString nameWithoutLabel(const QString& nazwa) {
  const qsizetype blank = nazwa.indexOf(u' ');
  return blank < 0 ? nazwa : nazwa.mid(blank + 1);
}

QString mapStatus(std::optional<qint64> iBilBestiaMap) {
  if (iBilBestiaMap && *iBilBestiaMap >= 1) return u"<>"_s;
  if (iBilBestiaMap && *iBilBestiaMap < 0) return u"-"_s;
  return u"?"_s;
}

}  // namespace wertalo::mapping
