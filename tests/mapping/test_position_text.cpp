// What the mapping reads from position names: the computed symbol, the name without its
// label, and the status word.
#include <gtest/gtest.h>

#include "core/mapping/position_text.h"
#include "support/qt_printers.h"

namespace wertalo::mapping {
namespace {

using namespace Qt::StringLiterals;

struct SymbolCase {
  const char* what;
  PositionTable table;
  QString typspr;
  QString nazwa;
  ParentNames parents;
  QString symbol;
};

const PositionTable kCity = PositionTable::BILPOZ;
const PositionTable kUnits = PositionTable::JBBILPOZ;

TEST(ComputedSymbol, LabelsOfThePositionAndItsParents) {
  const SymbolCase cases[] = {
      {"a position under two parents", kCity, u"BILS"_s, u"1. Grunty"_s,
       {u"I. Rzeczowe aktywa trwałe"_s, u"A. Aktywa trwałe"_s, {}}, u"A.I.1"_s},
      {"a top position", kCity, u"BILS"_s, u"A. Aktywa trwałe"_s, {}, u"A"_s},
      {"a sum line has no label", kCity, u"BILS"_s, u"Suma aktywów"_s, {}, u""_s},
      {"a labelless position takes its parents' labels", kCity, u"BILS"_s, u"Razem"_s,
       {u"I. Zapasy"_s, u"B. Aktywa obrotowe"_s, {}}, u"B.I."_s},
      {"the first \". \" ends the label", kCity, u"BILS"_s, u"2. Budynki, lokale i obiekty inż. lądowej"_s,
       {u"I. Rzeczowe aktywa trwałe"_s, {}, {}}, u"I.2"_s},
      {"a parent without a label adds nothing", kCity, u"BILS"_s, u"3. Inne"_s, {u"Aktywa"_s, u"A. Aktywa"_s, {}},
       u"A.3"_s},
      {"BILB: a parent labelled \"1.\" adds nothing", kCity, u"BILB"_s, u"1.1. Długoterminowe"_s,
       {u"1. Zobowiązania finansowe"_s, u"I. Zobowiązania"_s, {}}, u"I.1.1"_s},
      {"BILB: a parent labelled \"2.\" adds nothing", kCity, u"BILB"_s, u"2.1. Wobec budżetu państwa"_s,
       {u"2. Zobowiązania wobec budżetów"_s, u"I. Zobowiązania"_s, {}}, u"I.2.1"_s},
      {"BILB: a parent labelled \"3.\" adds its label", kCity, u"BILB"_s, u"a. Wobec gmin"_s,
       {u"3. Zobowiązania wobec jednostek"_s, u"I. Zobowiązania"_s, {}}, u"I.3.a"_s},
      {"BILB: the grandparent's \"1.\" is always added", kCity, u"BILB"_s, u"a. Bieżące"_s,
       {u"I. Zobowiązania"_s, u"1. Zobowiązania finansowe"_s, {}}, u"1.I.a"_s},
      {"BILS: a parent labelled \"1.\" adds its label", kCity, u"BILS"_s, u"1.1. Długoterminowe"_s,
       {u"1. Zobowiązania finansowe"_s, u"I. Zobowiązania"_s, {}}, u"I.1.1.1"_s},
      {"the local government's list has no great-grandparent", kCity, u"BILS"_s, u"1.1. Grunty oddane"_s,
       {u"1. Grunty"_s, u"I. Rzeczowe aktywa trwałe"_s, u"A. Aktywa trwałe"_s}, u"I.1.1.1"_s},
      {"the local government's list knows no \".P\"", kCity, u"BILS"_s, u"1.2.Pozostałe grunty"_s,
       {u"1. Grunty"_s, u"I. Rzeczowe aktywa trwałe"_s, {}}, u"I.1."_s},
      {"BILJ: great-grandparent added, parent \"1.\" left out", kUnits, u"BILJ"_s, u"1.1. Grunty oddane"_s,
       {u"1. Grunty"_s, u"I. Rzeczowe aktywa trwałe"_s, u"A. Aktywa trwałe"_s}, u"A.I.1.1"_s},
      {"BILJ: without \". \" the label ends before \".P\"", kUnits, u"BILJ"_s, u"1.2.Pozostałe grunty"_s,
       {u"1. Grunty"_s, u"I. Rzeczowe aktywa trwałe"_s, u"A. Aktywa trwałe"_s}, u"A.I.1.2"_s},
      {"BILJ: \". \" wins over an earlier \".P\"", kUnits, u"BILJ"_s, u"4.Pasywa. Inne"_s, {}, u"4.Pasywa"_s},
      {"BILJ: neither \". \" nor \".P\"", kUnits, u"BILJ"_s, u"Suma aktywów"_s,
       {u"I. Zapasy"_s, u"B. Aktywa obrotowe"_s, {}}, u"B.I."_s},
      {"BILJ: the great-grandparent is read to 16 characters", kUnits, u"BILJ"_s, u"1. Grunty"_s,
       {u"I. Rzeczowe"_s, u"A. Aktywa"_s, u"Aktywa razem (bez. korekt)"_s}, u"A.I.1"_s},
      {"BILJ: a label within 16 characters of the great-grandparent counts", kUnits, u"BILJ"_s, u"1. Grunty"_s,
       {u"I. Rzeczowe"_s, u"A. Aktywa"_s, u"Część 12345. Bil"_s}, u"Część 12345.A.I.1"_s},
      {"BILB in the budget units' list: no exception for \"1.\"", kUnits, u"BILB"_s, u"1.1. X"_s,
       {u"1. Y"_s, u"I. Z"_s, {}}, u"I.1.1.1"_s},
      {"the symbol is cut to 20 characters", kCity, u"BILS"_s, u"12345.123. Długa"_s,
       {u"XVIII.a. Rodzic"_s, u"ABCDE. Dziadek"_s, {}}, u"ABCDE.XVIII.a.12345."_s},
  };
  for (const SymbolCase& c : cases)
    EXPECT_EQ(computedSymbol(c.table, c.typspr, c.nazwa, c.parents), c.symbol) << c.what;
}

TEST(NameWithoutLabel, TextAfterTheFirstBlank) {
  EXPECT_EQ(nameWithoutLabel(u"1. Grunty"_s), u"Grunty"_s);
  EXPECT_EQ(nameWithoutLabel(u"Suma aktywów"_s), u"aktywów"_s);
  EXPECT_EQ(nameWithoutLabel(u"1.2.Pozostałe grunty"_s), u"grunty"_s);
  EXPECT_EQ(nameWithoutLabel(u"Fundusz"_s), u"Fundusz"_s);
  EXPECT_EQ(nameWithoutLabel(u" Wcięta"_s), u"Wcięta"_s);
}

TEST(MapStatus, AssignedMarkedOrNone) {
  EXPECT_EQ(mapStatus(12), u"<>"_s);
  EXPECT_EQ(mapStatus(1), u"<>"_s);
  EXPECT_EQ(mapStatus(-1), u"-"_s);
  EXPECT_EQ(mapStatus(0), u"?"_s);
  EXPECT_EQ(mapStatus(std::nullopt), u"?"_s);
}

}  // namespace
}  // namespace wertalo::mapping
