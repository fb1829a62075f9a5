#include "bilanse_data.h"

namespace wertalo::test {

namespace {

// One position: id, side, name, display order, parent (0: Null), dictionary link (0: Null).
struct Position {
  int id;
  const char* typ;
  const char* nazwa;
  int kolej;
  int parent;
  int dictionary;
};

const Position kPositions[] = {
    {1, "A", "Aktywa trwałe", 1, 0, 101},
    {2, "A", "Wartości niematerialne i prawne", 2, 1, 102},
    {3, "A", "Oprogramowanie", 3, 2, 0},
    {4, "A", "Licencje", 4, 3, 0},
    {5, "A", "Środki w drodze", 5, 9, 0},
    {6, "A", "Pozostałe aktywa", 6, 0, 106},
    {7, "A", "Należności długoterminowe", 7, 1, 107},
    {8, "A", "Inne należności", 8, 1, 106},
    {9, "P", "Fundusz", 1, 0, 109},
    {10, "P", "Fundusz jednostki", 2, 9, 0},
};

// One balance-sheet row: position, opening and closing amount, remark (null: Null).
struct SheetRow {
  int position;
  const char* spocz;
  const char* skon;
  const char* uwagi;
};

// In reverse display order: the statement orders them.
const SheetRow kSheetRows[] = {
    {10, "0", "50.25", nullptr},
    {9, "100", "200", "Fundusz – uwaga"},
    {8, "0.005", "-0.005", nullptr},
    {7, "NULL", "NULL", nullptr},
    {6, "1", "2", ""},
    {5, "3", "4", nullptr},
    {4, "5", "6", nullptr},
    {3, "7", "8", nullptr},
    {2, "1234.5", "0", "a & <b>"},
    {1, "1234.565", "-3.456", nullptr},
};

QString sqlText(const char* text) {
  return text == nullptr ? QStringLiteral("NULL") : QLatin1Char('\'') + QString::fromUtf8(text) + QLatin1Char('\'');
}

QString sqlId(int id) { return id == 0 ? QStringLiteral("NULL") : QString::number(id); }

}  // namespace

void insertPositionTree(PackageModule& m) {
  // The Besti@ names differ from the product's: a body must write the product's own name.
  QString script = QStringLiteral(
      "INSERT INTO S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA) VALUES (1001, 'A', 'Besti@ A');\n"
      "INSERT INTO S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA) VALUES (1002, 'A.I', 'Besti@ A.I');\n"
      "INSERT INTO S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA) VALUES (1006, '', 'Besti@ bez symbolu');\n"
      "INSERT INTO S_BILBESTIA (ID_BILBESTIA, SYMBOL, NAZWA) VALUES (1009, 'P.A', 'Besti@ P.A');\n"
      "INSERT INTO S_BILANSPOZ (ID_S_BILPOZ, ID_BILBESTIA) VALUES (101, 1001);\n"
      "INSERT INTO S_BILANSPOZ (ID_S_BILPOZ, ID_BILBESTIA) VALUES (102, 1002);\n"
      "INSERT INTO S_BILANSPOZ (ID_S_BILPOZ, ID_BILBESTIA) VALUES (106, 1006);\n"
      "INSERT INTO S_BILANSPOZ (ID_S_BILPOZ, ID_BILBESTIA) VALUES (107, NULL);\n"
      "INSERT INTO S_BILANSPOZ (ID_S_BILPOZ, ID_BILBESTIA) VALUES (109, 1009);\n");
  for (const Position& p : kPositions) {
    const QString values = QStringLiteral("%1, '%2', '%3', %4, %5, %6")
                               .arg(p.id)
                               .arg(QString::fromLatin1(p.typ), QString::fromUtf8(p.nazwa))
                               .arg(p.kolej)
                               .arg(sqlId(p.parent), sqlId(p.dictionary));
    script += QStringLiteral("INSERT INTO BILPOZ (ID_BILPOZ, TYP, NAZWA, KOLEJ, PARENT, ID_S_BILPOZ) VALUES (%1);\n").arg(values);
    script += QStringLiteral("INSERT INTO JBBILPOZ (ID_BILPOZ, TYP, NAZWA, KOLEJ, PARENT, ID_S_BILPOZ, ID_JB) VALUES (%1, 7);\n")
                  .arg(values);
  }
  m.exec(script);
}

void insertSheetRows(PackageModule& m, const QString& table, qint64 idspraw) {
  QString script;
  for (const SheetRow& r : kSheetRows) {
    script += QStringLiteral("INSERT INTO %1 (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, UWAGI) VALUES (%2, %3, %4, %5, %6);\n")
                  .arg(table)
                  .arg(idspraw)
                  .arg(r.position)
                  .arg(QString::fromLatin1(r.spocz), QString::fromLatin1(r.skon), sqlText(r.uwagi));
  }
  // Another balance sheet in the same table, which must not be read.
  script += QStringLiteral("INSERT INTO %1 (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, UWAGI) VALUES (%2, 1, 1, 1, 'obcy');\n")
                .arg(table)
                .arg(idspraw + 1000);
  m.exec(script);
}

std::string everyPosition() {
  return lines({"  <Aktywa>",
                "    <Pozycja>",
                "      <Symbol>A</Symbol>",
                "      <P>1234.57</P>",
                "      <K>-3.46</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A.I</Symbol>",
                "      <P>1234.50</P>",
                "      <K>0.00</K>",
                "      <Uwagi>a &amp; &lt;b&gt;</Uwagi>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A.I</Symbol>",
                "      <Nazwa>Oprogramowanie</Nazwa>",
                "      <P>7.00</P>",
                "      <K>8.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol></Symbol>",
                "      <Nazwa>Licencje</Nazwa>",
                "      <P>5.00</P>",
                "      <K>6.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol></Symbol>",
                "      <Nazwa>Środki w drodze</Nazwa>",
                "      <P>3.00</P>",
                "      <K>4.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol></Symbol>",
                "      <Nazwa>Pozostałe aktywa</Nazwa>",
                "      <P>1.00</P>",
                "      <K>2.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A</Symbol>",
                "      <Nazwa>Należności długoterminowe</Nazwa>",
                "      <P>0.00</P>",
                "      <K>0.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A</Symbol>",
                "      <Nazwa>Inne należności</Nazwa>",
                "      <P>0.01</P>",
                "      <K>-0.01</K>",
                "    </Pozycja>",
                "  </Aktywa>",
                "  <Pasywa>",
                "    <Pozycja>",
                "      <Symbol>P.A</Symbol>",
                "      <P>100.00</P>",
                "      <K>200.00</K>",
                "      <Uwagi>Fundusz – uwaga</Uwagi>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>P.A</Symbol>",
                "      <Nazwa>Fundusz jednostki</Nazwa>",
                "      <P>0.00</P>",
                "      <K>50.25</K>",
                "    </Pozycja>",
                "  </Pasywa>"});
}

std::string linkedPositions() {
  return lines({"  <Aktywa>",
                "    <Pozycja>",
                "      <Symbol>A</Symbol>",
                "      <P>1234.57</P>",
                "      <K>-3.46</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A.I</Symbol>",
                "      <P>1234.50</P>",
                "      <K>0.00</K>",
                "      <Uwagi>a &amp; &lt;b&gt;</Uwagi>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol></Symbol>",
                "      <Nazwa>Pozostałe aktywa</Nazwa>",
                "      <P>1.00</P>",
                "      <K>2.00</K>",
                "    </Pozycja>",
                "    <Pozycja>",
                "      <Symbol>A</Symbol>",
                "      <Nazwa>Inne należności</Nazwa>",
                "      <P>0.01</P>",
                "      <K>-0.01</K>",
                "    </Pozycja>",
                "  </Aktywa>",
                "  <Pasywa>",
                "    <Pozycja>",
                "      <Symbol>P.A</Symbol>",
                "      <P>100.00</P>",
                "      <K>200.00</K>",
                "      <Uwagi>Fundusz – uwaga</Uwagi>",
                "    </Pozycja>",
                "  </Pasywa>"});
}

catalogue::SelectRow sheet(qint64 id, const char* symbol, const char* typspr, qint64 idJb) {
  return selectRow(id, QString::fromLatin1(symbol), QString::fromLatin1(typspr), idJb);
}

std::string header() {
  return lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>", "  </Naglowek>"});
}

}  // namespace wertalo::test
