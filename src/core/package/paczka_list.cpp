// The report list of a unit, and the dispatch of each ticked report to its body builder.
#include <algorithm>
#include <stdexcept>

#include "core/catalogue/wertalo_main.h"
#include "core/db/query.h"
#include "core/package/paczka.h"

namespace wertalo::package {

namespace {

using P = TXMLPaczkaSprawozdan;

// Besti@ symbol → body builder. Symbols are compared exactly, with case.
const P::DispatchEntry kDispatch[] = {
    {"Rb-27s", &P::R27S, nullptr},          {"Rb-27ZZ", &P::R27ZZ, nullptr},        {"Rb-28s", &P::R28S, nullptr},
    {"Rb-28nws", &P::R28NWS, nullptr},      {"Rb-30", &P::Rb30, nullptr, true},     {"Rb-30s", &P::Rb30, nullptr, true},
    {"Rb-31", &P::Rb31, nullptr, true},     {"Rb-33", &P::Rb33, nullptr, true},     {"Rb-34s", &P::Rb34s, nullptr, true},
    {"Rb-34", &P::Rb34, nullptr, true},     {"Rb-50D", nullptr, &P::Rb50D, true},   {"Rb-50W", nullptr, &P::Rb50W, true},
    {"Rb-N", &P::RbN, nullptr, true},       {"Rb-Z", &P::RbZ, nullptr, true},       {"Rb-NDS", &P::RbNDS, nullptr, true},
    {"Rb-PDP", &P::RbPDP, nullptr, true},   {"Rb-UZ", &P::RbUZ, nullptr, true},     {"Rb-ST", &P::RbST, nullptr, true},
    {"Rb-ZN", &P::RbZN, nullptr, true},     {"Rb-UN", &P::RbUN, nullptr, true},     {"F-Zzf", &P::RbZFJ, nullptr, true},
    {"F-Rzs", &P::RbZS, nullptr, true},     {"Rb-WS", &P::RbWS, nullptr, true},
};

// The anchor a report's signatures refer to: Rb-50 is signed as its part D.
QString signatureAnchor(const catalogue::SelectRow& row) {
  const QString symbol = row.sTypSprBestia == QLatin1String("Rb-50") ? QStringLiteral("Rb-50D") : row.sTypSprBestia;
  return TXMLPaczkaSprawozdan::anchorText(symbol, row.IDSPRAW);
}

}  // namespace

std::span<const P::DispatchEntry> TXMLPaczkaSprawozdan::dispatchTable() { return kDispatch; }

bool TXMLPaczkaSprawozdan::bodyWritten(const QString& sTypSprBestia) {
  if (sTypSprBestia.startsWith(QLatin1String("B-"))) return true;
  const QString symbol = sTypSprBestia == QLatin1String("Rb-50") ? QStringLiteral("Rb-50D") : sTypSprBestia;
  for (const DispatchEntry& entry : kDispatch) {
    if (symbol == QLatin1String(entry.symbol)) return !entry.pending;
  }
  return false;
}

std::vector<P::BuilderCall> TXMLPaczkaSprawozdan::builderCalls(const QString& sTypSpraw, const QString& unitType) {
  for (const DispatchEntry& entry : kDispatch) {
    if (sTypSpraw != QLatin1String(entry.symbol)) continue;
    if (entry.plain != nullptr) return {{entry.plain, nullptr, tBrak}};
    // A municipality with county rights reports the municipal and the county tasks apart.
    if (unitType == QLatin1String("M")) return {{nullptr, entry.task, tGminna}, {nullptr, entry.task, tPowiatowa}};
    return {{nullptr, entry.task, tBrak}};
  }
  return {};
}

XmlFragment TXMLPaczkaSprawozdan::ElementSprawozdania(qint64 ID_JB) {
  return buildList(ID_JB, &TXMLPaczkaSprawozdan::addReportsOfRow);
}

XmlFragment TXMLPaczkaSprawozdan::buildList(qint64 ID_JB, SelectedRowStep selectedStep) {
  const bool perReport = dtm_.frmWertalo.chkZapiszPojedynczo;
  catalogue::SelectTable& selection = dtm_.memSelectSpraw;
  XmlFragment fragment;
  ListState state;
  state.sprawozdania = &fragment.appendElement(QStringLiteral("Sprawozdania"));
  XmlElement* rozwiniecie = dtm_.bDodajInfo ? &fragment.appendElement(QStringLiteral("SprawozdaniaRozwiniecie")) : nullptr;

  struct ActiveList {
    ListState*& slot;
    ListState* previous;
    ~ActiveList() { slot = previous; }
  } active{list_, list_};
  list_ = &state;

  while (!selection.eof()) {
    const catalogue::SelectRow& row = selection.current();
    if (!perReport && ID_JB != 0 && row.ID_JB != ID_JB) break;
    bool written = false;
    if (row.SELEKCJA) {
      const size_t before = state.sprawozdania->children().size();
      (this->*selectedStep)();
      // Only a report that went into the document gets its sending date when it is saved.
      written = state.sprawozdania->children().size() > before;
      if (written && std::find(record_.writtenReports.begin(), record_.writtenReports.end(), row.IDSPRAW) ==
                         record_.writtenReports.end())
        record_.writtenReports.push_back(row.IDSPRAW);
      ++progressDone_;
      if (onProgress) onProgress(progressDone_, progressTotal_);
    }
    if (rozwiniecie != nullptr) ElementSprawozdanieRozwiniecie(*rozwiniecie);
    if (row.podpisane) {
      state.signedRowSeen = true;
      // Only reports written into the package have their signatures in it.
      if (written) state.signedReports.push_back({row.IDSPRAW, signatureAnchor(row)});
    }
    selection.next();
    if (perReport) break;
  }

  if (state.signedRowSeen) {
    XMLWstawZnacznik(fragment, QStringLiteral("PODPIS"));
    record_.signatures.push_back({std::move(state.signedReports)});
  }
  return fragment;
}

void TXMLPaczkaSprawozdan::addReportsOfRow() {
  const catalogue::SelectRow& row = currentRow();
  if (row.sTypSprBestia == QLatin1String("Rb-50")) {
    DodajSprawozdanie(QStringLiteral("Rb-50D"));
    DodajSprawozdanie(QStringLiteral("Rb-50W"));
  } else {
    DodajSprawozdanie(row.sTypSprBestia);
  }
}

QString TXMLPaczkaSprawozdan::keptXmlOf(const QString& sTypSpraw) const {
  QString sql = (dtm_.RodzajEksportu == catalogue::rJB ? QStringLiteral("SELECT * FROM JBSPRAWOZDXML WHERE IDSPRAW=")
                                                        : QStringLiteral("SELECT * FROM SPRAWOZDXML WHERE IDSPRAW=")) +
                QString::number(currentRow().IDSPRAW);
  if (sTypSpraw == QLatin1String("Rb-50D")) sql += QStringLiteral(" AND TYP='D'");
  if (sTypSpraw == QLatin1String("Rb-50W")) sql += QStringLiteral(" AND TYP='W'");
  const db::DataSet kept = db::openSql(dtm_.DB, sql);
  return kept.isEmpty() ? QString() : kept.text(u"WYEKSPORTOWANY_XML");
}

bool TXMLPaczkaSprawozdan::placeKeptXml(XmlElement& parent, const QString& sTypSpraw) {
  const catalogue::SelectRow& row = currentRow();
  if (!row.podpisane) return false;
  QString kept = keptXmlOf(sTypSpraw);
  if (kept.isEmpty()) return false;
  // The report goes out as exported and signed earlier: its kept text replaces this
  // placeholder when the package is saved.
  XMLWstawZnacznik(parent, QStringLiteral("WYEKSPORTOWANY_XML"));
  record_.keptXml.push_back({row.IDSPRAW, std::move(kept)});
  return true;
}

void TXMLPaczkaSprawozdan::DodajSprawozdanie(const QString& sTypSpraw) {
  if (list_ == nullptr) throw std::logic_error("DodajSprawozdanie outside of a report list");
  if (placeKeptXml(*list_->sprawozdania, sTypSpraw)) return;
  for (const BuilderCall& call : builderCalls(sTypSpraw, dtm_.memMain.TYP)) {
    XmlFragment body = call.plain != nullptr ? (this->*call.plain)(nullptr) : (this->*call.task)(call.rodzaj, nullptr);
    list_->sprawozdania->append(std::move(body));
  }
}

}  // namespace wertalo::package
