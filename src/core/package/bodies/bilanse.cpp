// Bodies of the balance sheets B-Wyk (BILB), B-Skon (BILS) and B-Jed (BILJ single, BILL
// combined): positions of both sides by the product's links to Besti@ symbols, then remarks.
#include "core/package/bodies/bilanse.h"

#include "core/package/headers.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// A described entry: present when its column is not empty; its Opis is the lead text with
// the column's text appended.
struct DescribedEntry {
  const char* symbol;
  const char* lead;
  const char* column;
};

// A standing entry of a single unit's B-Jed: present when the remark is not empty or the
// amount is not Null; Wartosc is the amount, Uwagi the remark (also when empty).
struct StandingEntry {
  const char* symbol;
  const char* remark;
  const char* amount;
};

// A fixed entry of a combined B-Jed: always present; Opis is the text, then " - " and the
// remark when there is one; Wartosc is the amount.
struct AmountEntry {
  const char* symbol;
  const char* opis;
  const char* remark;
  const char* amount;
};

const DescribedEntry kUzupelnienieBILB[] = {
    {"1", "Udzielone gwarancje i poręczenia - ", "UwagiA1"},
    {"2", "Otrzymane gwarancje i poręczenia - ", "UwagiA2"},
    {"3", "", "UWAGIM1"},
};

const DescribedEntry kUzupelnienieBILS[] = {
    {"1", "Umorzenie wartości niematerialnych i prawnych - ", "UwagiA1"},
    {"2", "Odpisy aktualizujące należności - ", "UwagiA2"},
    {"3", "", "UWAGIM1"},
};

const StandingEntry kUzupelnienieStaleBILJ[] = {
    {"1", "UwagiA1", "UwagiF1"}, {"2", "UwagiA2", "UwagiF2"}, {"3", "UwagiA3", "UwagiF3"}, {"4", "UwagiA4", "UwagiF4"},
    {"5", "UwagiA5", "UwagiF5"}, {"6", "UwagiA6", "UwagiF6"}, {"7", "UwagiA7", "UwagiF7"},
};

const DescribedEntry kUzupelnienieBILJ[] = {
    {"8", "", "UWAGIM1"},
};

const AmountEntry kUzupelnienieBILL[] = {
    {"1", "Umorzenie wartości niematerialnych i prawnych", "UwagiA1", "UwagiF1"},
    {"2", "Umorzenie środków trwałych", "UwagiA2", "UwagiF2"},
    {"3", "Umorzenie pozostałych środków trwałych i wyposażenia", "UwagiA3", "UwagiF3"},
    {"4", "Odpisy aktualizujące należności", "UwagiA4", "UwagiF4"},
};

const DescribedEntry kUzupelnienieBILLDodatkowe[] = {
    {"5", "", "UWAGIM1"},
};

QString utf8(const char* text) { return QString::fromUtf8(text); }

void field(XmlElement& parent, const char* name, const QString& text) {
  XMLWstawPoleDoBestia(parent, QString::fromLatin1(name), text);
}

// One Pozycja per present described entry.
void writeDescribed(XmlElement& list, const db::DataSet& remarks, std::span<const DescribedEntry> entries) {
  for (const DescribedEntry& entry : entries) {
    const QString text = remarks.text(utf8(entry.column));
    if (text.isEmpty()) continue;
    XmlElement& pozycja = list.appendElement(QStringLiteral("Pozycja"));
    field(pozycja, "Symbol", utf8(entry.symbol));
    field(pozycja, "Opis", utf8(entry.lead) + text);
  }
}

// Uzupelnienie with the described entries, written only when one of them is present.
void describedSupplement(XmlElement& report, const db::DataSet& remarks, std::span<const DescribedEntry> entries) {
  XmlElement uzupelnienie(QStringLiteral("Uzupelnienie"));
  writeDescribed(uzupelnienie, remarks, entries);
  if (uzupelnienie.hasChildElements()) report.appendElement(std::move(uzupelnienie));
}

void supplementBILB(XmlElement& report, const db::DataSet& remarks) { describedSupplement(report, remarks, kUzupelnienieBILB); }

void supplementBILS(XmlElement& report, const db::DataSet& remarks) { describedSupplement(report, remarks, kUzupelnienieBILS); }

void supplementBILJ(XmlElement& report, const db::DataSet& remarks) {
  // Written whenever there is a remark row, even when none of its entries is present.
  XmlElement& stale = report.appendElement(QStringLiteral("UzupelnienieStale"));
  for (const StandingEntry& entry : kUzupelnienieStaleBILJ) {
    const QString remark = remarks.text(utf8(entry.remark));
    const std::optional<text::Currency> amount = remarks.currencyOrNull(utf8(entry.amount));
    if (remark.isEmpty() && !amount) continue;
    XmlElement& pozycja = stale.appendElement(QStringLiteral("Pozycja"));
    field(pozycja, "Symbol", utf8(entry.symbol));
    XMLWstawFloat(pozycja, QStringLiteral("Wartosc"), amount);
    field(pozycja, "Uwagi", remark);
  }
  describedSupplement(report, remarks, kUzupelnienieBILJ);
}

void supplementBILL(XmlElement& report, const db::DataSet& remarks) {
  XmlElement& uzupelnienie = report.appendElement(QStringLiteral("Uzupelnienie"));
  for (const AmountEntry& entry : kUzupelnienieBILL) {
    const QString remark = remarks.text(utf8(entry.remark));
    XmlElement& pozycja = uzupelnienie.appendElement(QStringLiteral("Pozycja"));
    field(pozycja, "Symbol", utf8(entry.symbol));
    field(pozycja, "Opis", remark.isEmpty() ? utf8(entry.opis) : utf8(entry.opis) + QStringLiteral(" - ") + remark);
    XMLWstawFloat(pozycja, QStringLiteral("Wartosc"), remarks.currencyOrNull(utf8(entry.amount)));
  }
  writeDescribed(uzupelnienie, remarks, kUzupelnienieBILLDodatkowe);
}

// The two sides of a balance sheet: the statement's AKTYWA value and the side's element.
struct Side {
  const char* aktywa;
  const char* element;
};
const Side kSides[] = {{"A", "Aktywa"}, {"P", "Pasywa"}};

// One Pozycja for the current position row.
void writePosition(XmlElement& side, db::DataSet& qr) {
  const QString uwagi = qr.text(u"UWAGI");
  const QString symbol = qr.text(u"SYMBOL");
  XmlElement& pozycja = side.appendElement(QStringLiteral("Pozycja"));
  if (!symbol.isEmpty()) {
    field(pozycja, "Symbol", symbol);
  } else {
    // A position without a symbol of its own: its parent's symbol and its own name.
    field(pozycja, "Symbol", ZnajdzSymbolNadrzednejPozycji(qr));
    field(pozycja, "Nazwa", qr.text(u"NAZWA"));
  }
  XMLWstawFloat(pozycja, QStringLiteral("P"), qr.currencyOrNull(u"SPOCZ"));
  XMLWstawFloat(pozycja, QStringLiteral("K"), qr.currencyOrNull(u"SKON"));
  if (!uwagi.isEmpty()) field(pozycja, "Uwagi", uwagi);
}

// A balance sheet: its Besti@ symbol, its position statement (run once per side), its remark
// statement and the supplements written from the remark row.
struct BalanceSheetBody {
  const char* symbol;
  const char* positions;
  const char* remarks;
  void (*supplements)(XmlElement& report, const db::DataSet& remarks);
};

XmlFragment balanceSheet(const BalanceSheetBody& body, const ReportContext& context, QString* id) {
  const catalogue::SelectRow& row = context.row();
  XmlFragment fragment;
  XmlElement& report = context.reportElement(fragment, QString::fromLatin1(body.symbol), id);
  report.append(ElementNaglowek(context, row.Wersja, row.Data));

  db::Query query = context.query(QString::fromLatin1(body.positions));
  for (const Side& side : kSides) {
    query.bindText(QStringLiteral("AKTYWA"), QString::fromLatin1(side.aktywa));
    db::DataSet qr = query.open();
    XmlElement& list = report.appendElement(QString::fromLatin1(side.element));
    for (qr.first(); !qr.eof(); qr.next()) writePosition(list, qr);
  }

  const db::DataSet remarks = context.rows(QString::fromLatin1(body.remarks));
  // Only the first remark row is read; without one there is no supplement at all.
  if (!remarks.isEmpty()) body.supplements(report, remarks);
  return fragment;
}

}  // namespace

QString ZnajdzSymbolNadrzednejPozycji(db::DataSet& qr) {
  const qint64 parent = qr.integer(u"PARENT");
  if (parent == 0) return QString();
  // One level only, among the rows of this statement (so on the same side).
  QString symbol;
  const db::DataSet::Bookmark here = qr.bookmark();
  if (qr.locate(QStringLiteral("ID_BILPOZ"), QVariant(parent))) symbol = qr.text(u"SYMBOL");
  qr.gotoBookmark(here);
  return symbol;
}

// B-Wyk and the single unit's B-Jed list every position with values, linked or not; B-Skon
// and the combined B-Jed only positions linked to a Besti@ position. Each statement also
// selects the position's own name, written after an empty symbol.
XmlFragment BilanseBILB(const ReportContext& report, QString* id) {
  static const BalanceSheetBody body{
      "B-Wyk",
      "select q.*,p.PARENT,x.SYMBOL,p.NAZWA from BILB q INNER JOIN BILPOZ p ON q.ID_BILPOZ=p.ID_BILPOZ LEFT JOIN "
      "S_BILANSPOZ s ON p.ID_S_BILPOZ=s.ID_S_BILPOZ LEFT JOIN S_BILBESTIA x ON s.ID_BILBESTIA=x.ID_BILBESTIA where "
      "IDSPRAW=:IDSPRAW AND p.TYP=:AKTYWA ORDER BY p.KOLEJ",
      "SELECT * FROM UWAGI WHERE IDSPRAW=:IDSPRAW", supplementBILB};
  return balanceSheet(body, report, id);
}

XmlFragment BilanseBILS(const ReportContext& report, QString* id) {
  static const BalanceSheetBody body{
      "B-Skon",
      "select q.*,p.PARENT   , x.SYMBOL,p.NAZWA from BILS q INNER JOIN BILPOZ p ON q.ID_BILPOZ=p.ID_BILPOZ INNER JOIN "
      "S_BILANSPOZ s ON p.ID_S_BILPOZ=s.ID_S_BILPOZ INNER JOIN S_BILBESTIA x ON s.ID_BILBESTIA=x.ID_BILBESTIA where "
      "IDSPRAW=:IDSPRAW AND p.TYP=:AKTYWA ORDER BY p.KOLEJ",
      "SELECT * FROM UWAGI WHERE IDSPRAW=:IDSPRAW", supplementBILS};
  return balanceSheet(body, report, id);
}

XmlFragment BilanseBILJ(const ReportContext& report, QString* id) {
  static const BalanceSheetBody body{
      "B-Jed",
      "select q.*,p.PARENT,x.SYMBOL,p.NAZWA from JBBILJ q INNER JOIN JBBILPOZ p ON q.ID_BILPOZ=p.ID_BILPOZ LEFT JOIN "
      "S_BILANSPOZ s ON p.ID_S_BILPOZ=s.ID_S_BILPOZ LEFT JOIN S_BILBESTIA x ON s.ID_BILBESTIA=x.ID_BILBESTIA where "
      "IDSPRAW=:IDSPRAW AND p.TYP=:AKTYWA ORDER BY p.KOLEJ",
      "SELECT * FROM JBUWAGI WHERE IDSPRAW=:IDSPRAW", supplementBILJ};
  return balanceSheet(body, report, id);
}

XmlFragment BilanseBILL(const ReportContext& report, QString* id) {
  static const BalanceSheetBody body{
      "B-Jed",
      "select q.*,p.PARENT, x.SYMBOL,p.NAZWA from JBBILJ q INNER JOIN JBBILPOZ p ON q.ID_BILPOZ=p.ID_BILPOZ INNER JOIN "
      "S_BILANSPOZ s ON p.ID_S_BILPOZ=s.ID_S_BILPOZ INNER JOIN S_BILBESTIA x ON s.ID_BILBESTIA=x.ID_BILBESTIA where "
      "IDSPRAW=:IDSPRAW AND p.TYP=:AKTYWA ORDER BY p.KOLEJ",
      "SELECT * FROM JBUWAGI WHERE IDSPRAW=:IDSPRAW", supplementBILL};
  return balanceSheet(body, report, id);
}

}  // namespace wertalo::package
