#include "core/mapping/mapping_types.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

namespace {

const char16_t* const kKinds[] = {u"BILB", u"BILS", u"BILJ"};
const char16_t* const kSides[] = {u"A", u"P"};

}  // namespace

QString kindText(TTypSpr kind) { return kind == tsRazem ? u"*"_s : QString::fromUtf16(kKinds[kind]); }

QString sideText(TAktywaPasywa side) { return side == apRazem ? u"*"_s : QString::fromUtf16(kSides[side]); }

std::optional<TTypSpr> kindOf(const QString& code) {
  for (int k = tsBILB; k < tsRazem; ++k)
    if (code == QStringView(kKinds[k])) return static_cast<TTypSpr>(k);
  return std::nullopt;
}

std::optional<TAktywaPasywa> sideOf(const QString& code) {
  for (int s = apAktywa; s < apRazem; ++s)
    if (code == QStringView(kSides[s])) return static_cast<TAktywaPasywa>(s);
  return std::nullopt;
}

PositionTable tableForKind(const QString& kindCode) {
  return kindCode == u"BILJ"_s ? PositionTable::JBBILPOZ : PositionTable::BILPOZ;
}

QString tableName(PositionTable table) { return table == PositionTable::JBBILPOZ ? u"JBBILPOZ"_s : u"BILPOZ"_s; }

}  // namespace wertalo::mapping
