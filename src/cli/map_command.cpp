// `wertalo-cli map`: the assignment of the product's balance positions to Besti@ positions,
// as the mapping form keeps it (automatic mapping, list, assign, skip, clear).
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/session.h"
#include "cli/text_table.h"
#include "core/mapping/bil_map_to_bestia.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;
using namespace mapping;

namespace {

const QString kCommon = u"  --win-ini PLIK    WIN.INI instalacji (domyślnie z konfiguracji)\n"
                        u"  --year RRRR       rok bilansów (domyślnie ostatni)\n"
                        u"  --help            ta pomoc\n"_s;

struct Subcommand {
  QString usage;       // arguments after the subcommand
  QString summary;     // what it does
  int positionals;     // number of positional arguments
  bool kindRequired;
  bool sideAllowed;
  bool sideRequired;
  bool json;
};

const std::map<QString, Subcommand>& subcommands() {
  static const std::map<QString, Subcommand> table = {
      {u"auto"_s,
       {u"[--kind BILB|BILS|BILJ] [--side A|P]"_s,
        u"Przypisuje automatycznie (według symbolu, nazwy i wierszy \"Suma\") pozycje, które nie mają\n"
        u"przypisania. Wypisuje, ile pozycji zostało bez pozycji programu Bestia, i wymienia je."_s,
        0, false, true, false, false}},
      {u"list"_s,
       {u"[--kind BILB|BILS|BILJ] [--side A|P] [--json]"_s,
        u"Wypisuje pozycje bilansów z symbolem wyliczonym, stanem przypisania (\"<>\" przypisana,\n"
        u"\"-\" nie przypisywać, \"?\" brak) i przypisaną pozycją programu Bestia."_s,
        0, false, true, false, true}},
      {u"assign"_s,
       {u"ID_BILPOZ ID_BILBESTIA --kind BILB|BILS|BILJ --side A|P"_s,
        u"Przypisuje pozycji bilansu pozycję programu Bestia tego samego rodzaju i strony (jak przycisk\n"
        u"\"Przypisz pozycję\"); pozycja Bestii przypisana już innej pozycji jest odrzucana."_s,
        2, true, true, true, false}},
      {u"skip"_s,
       {u"ID_BILPOZ --kind BILB|BILS|BILJ"_s,
        u"Oznacza pozycję bilansu jako nieprzypisywaną (jak przycisk \"Nie przypisuj\")."_s, 1, true, false, false,
        false}},
      {u"clear"_s,
       {u"[--kind BILB|BILS|BILJ] [--side A|P]"_s,
        u"Usuwa przypisania wszystkich wskazanych pozycji (jak \"Usuń wszystkie przypisania\")."_s, 0, false, true,
        false, false}},
  };
  return table;
}

void printMapHelp() {
  QString text = u"Użycie: wertalo-cli map POLECENIE [ARGUMENTY] [OPCJE]\n\n"
                 u"Przypisanie pozycji bilansów programu do pozycji bilansów programu Bestia.\n\nPolecenia:\n"_s;
  for (const auto& [name, sub] : subcommands()) text += u"  map %1 %2\n"_s.arg(name, sub.usage);
  text += u"\nRodzaje: BILB bilans budżetu, BILS bilans skonsolidowany, BILJ bilans jednostkowy/łączny.\n"
          u"Strony: A aktywa, P pasywa. Bez --kind lub --side: wszystkie.\n\nOpcje:\n"_s +
          kCommon +
          u"\nKody wyjścia: 0 wykonane, 1 błąd lub odmowa, 2 niepoprawne wywołanie.\n"
          u"Szczegóły: wertalo-cli map POLECENIE --help\n"_s;
  out(text);
}

void printSubcommandHelp(const QString& name, const Subcommand& sub) {
  out(u"Użycie: wertalo-cli map %1 %2 [--win-ini PLIK] [--year RRRR]\n\n%3\n\nOpcje:\n"_s.arg(name, sub.usage, sub.summary) +
      kCommon + u"\nKody wyjścia: 0 wykonane, 1 błąd lub odmowa, 2 niepoprawne wywołanie.\n"_s);
}

// The kind and side options, taken out of the arguments before the shared options are read.
struct Filter {
  std::optional<TTypSpr> kind;
  std::optional<TAktywaPasywa> side;
};

// Takes --kind and --side (with a blank or "=") out of `args`; false after a message.
bool takeFilter(QStringList& args, Filter& filter) {
  for (int i = 0; i < args.size();) {
    QString name = args[i];
    QString value;
    if (const qsizetype eq = name.indexOf(u'='); eq > 0) {
      value = name.mid(eq + 1);
      name = name.left(eq);
    } else if (name == u"--kind"_s || name == u"--side"_s) {
      if (i + 1 >= args.size()) {
        err(u"Opcja %1 wymaga wartości\n"_s.arg(name));
        return false;
      }
      value = args[i + 1];
      args.removeAt(i + 1);
    }
    if (name == u"--kind"_s) {
      filter.kind = kindOf(value);
      if (!filter.kind) {
        err(u"--kind: oczekiwano BILB, BILS albo BILJ, podano \"%1\"\n"_s.arg(value));
        return false;
      }
    } else if (name == u"--side"_s) {
      filter.side = sideOf(value);
      if (!filter.side) {
        err(u"--side: oczekiwano A albo P, podano \"%1\"\n"_s.arg(value));
        return false;
      }
    } else {
      ++i;
      continue;
    }
    args.removeAt(i);
  }
  return true;
}

// A positional identifier; nothing after a message.
std::optional<qint64> identifier(const QString& text, const QString& what) {
  static const QRegularExpression number(QRegularExpression::anchoredPattern(u"-?[0-9]{1,18}"_s));
  if (!number.match(text).hasMatch()) {
    err(u"%1: oczekiwano liczby, podano \"%2\"\n"_s.arg(what, text));
    return std::nullopt;
  }
  return text.toLongLong();
}

QList<TTypSpr> kinds(const Filter& f) { return f.kind ? QList<TTypSpr>{*f.kind} : QList<TTypSpr>{tsBILB, tsBILS, tsBILJ}; }
TAktywaPasywa side(const Filter& f) { return f.side.value_or(apRazem); }

// Puts the cursor of the kind's list (both sides unless one is given) on the position.
bool findPosition(TdtmBilMapToBestia& module, TTypSpr kind, TAktywaPasywa side, qint64 id) {
  module.EkspSetMapFilter(kind, side);
  if (module.srcQryBilPoz().data().locate(u"ID_BILPOZ"_s, id)) return true;
  err(u"Brak pozycji %1 rodzaju %2%3 w bilansach roku 20%4.\n"_s.arg(id)
          .arg(kindText(kind), side == apRazem ? QString() : u" po stronie "_s + sideText(side), module.period().ROK));
  return false;
}

int runAuto(TdtmBilMapToBestia& module, const Filter& f) {
  module.EkspSetMapFilter(f.kind.value_or(tsRazem), side(f));
  const int left = module.EkspMapujAutomatycznie();
  out(u"Pozycje bez przypisanej pozycji programu Bestia: %1\n"_s.arg(left));
  if (left > 0) {
    std::vector<QStringList> rows;
    for (const UnmatchedPosition& p : module.unmatched())
      rows.push_back({QString::number(p.ID_BILPOZ), p.TYPSPR, p.TYP, p.sBestiaId, p.NAZWA});
    out(textTable({u"ID_BILPOZ"_s, u"Rodzaj"_s, u"Strona"_s, u"Symbol"_s, u"Nazwa"_s}, rows));
  }
  return 0;
}

int runList(TdtmBilMapToBestia& module, const Filter& f, bool json) {
  QJsonArray positions;
  std::vector<QStringList> rows;
  for (TTypSpr kind : kinds(f)) {
    module.EkspSetMapFilter(kind, side(f));
    PositionQuery& list = module.srcQryBilPoz();
    db::DataSet& ds = list.data();
    for (ds.first(); !ds.eof(); ds.next()) {
      const PositionFields& pf = list.fields();
      const qint64 id = ds.integer(u"ID_BILPOZ");
      positions.append(QJsonObject{{u"idBilPoz"_s, id},
                                   {u"kind"_s, ds.text(u"TYPSPR")},
                                   {u"side"_s, ds.text(u"TYP")},
                                   {u"name"_s, ds.text(u"NAZWA")},
                                   {u"symbol"_s, pf.sBestiaId},
                                   {u"status"_s, pf.sMapStatus},
                                   {u"idBilBestia"_s, pf.iBilBestiaMap ? QJsonValue(*pf.iBilBestiaMap) : QJsonValue()},
                                   {u"bestiaSymbol"_s, pf.sBestiaSymbol},
                                   {u"bestiaName"_s, pf.sBestiaNazwa}});
      rows.push_back({QString::number(id), ds.text(u"TYPSPR"), ds.text(u"TYP"), pf.sBestiaId, pf.sMapStatus,
                      pf.iBilBestiaMap ? QString::number(*pf.iBilBestiaMap) : QString(), pf.sBestiaSymbol,
                      ds.text(u"NAZWA"), pf.sBestiaNazwa});
    }
  }
  if (json) {
    out(QString::fromUtf8(QJsonDocument(QJsonObject{{u"year"_s, u"20"_s + module.period().ROK}, {u"positions"_s, positions}})
                              .toJson(QJsonDocument::Indented)));
  } else {
    out(rows.empty() ? u"(brak pozycji)\n"_s
                     : textTable({u"ID_BILPOZ"_s, u"Rodzaj"_s, u"Strona"_s, u"Symbol"_s, u"<>"_s, u"ID Bestii"_s,
                                  u"S. Bestia"_s, u"Nazwa pozycji bilansu"_s, u"Nazwa pozycji w programie Bestia"_s},
                                 rows));
  }
  return 0;
}

int runAssign(TdtmBilMapToBestia& module, const Filter& f, qint64 idBilPoz, qint64 idBilBestia) {
  if (!findPosition(module, *f.kind, *f.side, idBilPoz)) return 1;
  // Only a Besti@ position the form offers for this kind and side can be chosen.
  db::DataSet choices = module.qryS_BilBestiaLook().data;
  if (!choices.locate(u"ID_BILBESTIA"_s, idBilBestia)) {
    err(u"Pozycja programu Bestia %1 nie należy do pozycji rodzaju %2 po stronie %3 ważnych na koniec roku 20%4.\n"_s
            .arg(idBilBestia)
            .arg(kindText(*f.kind), sideText(*f.side), module.period().ROK));
    return 1;
  }
  module.TypSpr = *f.kind;
  module.AktywaPasywa = *f.side;
  if (module.EkspPrzypiszAktPozycje(idBilBestia, true, true) == 0) return 1;  // the message was shown
  out(u"Pozycji %1 przypisano pozycję programu Bestia %2 (%3).\n"_s.arg(idBilPoz).arg(idBilBestia).arg(choices.text(u"SYMBOL")));
  return 0;
}

int runSkip(TdtmBilMapToBestia& module, const Filter& f, qint64 idBilPoz) {
  if (!findPosition(module, *f.kind, apRazem, idBilPoz)) return 1;
  module.EkspPrzypiszAktPozycje(-1, true, false);
  out(u"Pozycja %1 oznaczona jako nieprzypisywana.\n"_s.arg(idBilPoz));
  return 0;
}

int runClear(TdtmBilMapToBestia& module, const Filter& f) {
  int cleared = 0;
  for (TTypSpr kind : kinds(f)) {
    module.EkspSetMapFilter(kind, side(f));
    cleared += module.srcQryBilPoz().data().recordCount();
    module.EkspUsunMapowania();
  }
  out(u"Usunięto przypisania pozycji: %1\n"_s.arg(cleared));
  return 0;
}

}  // namespace

int runMapCommand(const QStringList& arguments) {
  if (arguments.isEmpty() || arguments.first() == u"--help"_s || arguments.first() == u"-h"_s) {
    printMapHelp();
    return arguments.isEmpty() ? 2 : 0;
  }
  const QString name = arguments.first();
  const auto it = subcommands().find(name);
  if (it == subcommands().end()) {
    err(u"Nieznane polecenie: map %1 (wertalo-cli map --help)\n"_s.arg(name));
    return 2;
  }
  const Subcommand& sub = it->second;
  QStringList args = arguments.mid(1);
  if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
    printSubcommandHelp(name, sub);
    return 0;
  }
  Filter filter;
  if (!takeFilter(args, filter)) return 2;
  if ((sub.kindRequired && !filter.kind) || (sub.sideRequired && !filter.side)) {
    err(u"map %1 wymaga %2\n"_s.arg(name, sub.sideRequired ? u"opcji --kind i --side"_s : u"opcji --kind"_s));
    return 2;
  }
  if (filter.side && !sub.sideAllowed) {
    err(u"map %1 nie przyjmuje opcji --side\n"_s.arg(name));
    return 2;
  }
  QStringList allowed = {u"--win-ini"_s, u"--year"_s};
  if (sub.json) allowed << u"--json"_s;
  auto options = parseCommandOptions(args, allowed);
  if (!options) return 2;
  if (options->positional.size() != sub.positionals) {
    err(u"map %1: oczekiwano argumentów %2\n"_s.arg(name, sub.usage));
    return 2;
  }
  std::vector<qint64> ids;
  for (const QString& p : options->positional) {
    const auto id = identifier(p, ids.empty() ? u"ID_BILPOZ"_s : u"ID_BILBESTIA"_s);
    if (!id) return 2;
    ids.push_back(*id);
  }

  options->kind = u"balances"_s;
  ConsoleUserInterface ui;
  const std::unique_ptr<operations::Session> session = openSession(*options, ui);
  auto module = session->openMapping();
  if (name == u"auto"_s) return runAuto(*module, filter);
  if (name == u"list"_s) return runList(*module, filter, options->json);
  if (name == u"assign"_s) return runAssign(*module, filter, ids[0], ids[1]);
  if (name == u"skip"_s) return runSkip(*module, filter, ids[0]);
  return runClear(*module, filter);
}

}  // namespace wertalo::cli
