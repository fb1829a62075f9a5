// The report list of a unit, and the dispatch of each ticked report to its body builder.
#include <stdexcept>

#include "core/catalogue/wertalo_main.h"
#include "core/db/db_error.h"
#include "core/db/query.h"
#include "core/package/package_error.h"
#include "core/package/paczka.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// Runs one step of a row's report; whatever the database failed to give, the user learns
// which report it was for.
template <typename Step>
void forReport(const catalogue::SelectRow& row, Step step) {
  try {
    step();
  } catch (const db::DbError& e) {
    throw e.withLead(reportErrorLead(runReport(row).symbol, row.IDSPRAW));
  }
}

}  // namespace

catalogue::RunReport runReport(const catalogue::SelectRow& row) {
  return {row.IDSPRAW, row.sTypSprBestia.isEmpty() ? row.TYPSPR : row.sTypSprBestia, row.ID_JB, row.podpisane};
}

XmlFragment TXMLPaczkaSprawozdan::ElementSprawozdania(qint64 ID_JB) {
  return buildList(ID_JB, &TXMLPaczkaSprawozdan::addReportsOfRow);
}

XmlFragment TXMLPaczkaSprawozdan::buildList(qint64 ID_JB, SelectedRowStep selectedStep) {
  const bool perReport = this->perReport();
  catalogue::SelectTable& selection = dtm_.memSelectSpraw();
  XmlFragment fragment;
  ListState state;
  state.sprawozdania = &fragment.appendElement(QStringLiteral("Sprawozdania"));
  XmlElement* rozwiniecie = dtm_.options().bDodajInfo ? &fragment.appendElement(QStringLiteral("SprawozdaniaRozwiniecie")) : nullptr;

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
      if (cancelRequested && cancelRequested()) throw RunCancelled();
      const size_t before = state.sprawozdania->children().size();
      forReport(row, [&] { (this->*selectedStep)(); });
      // Only a report that went into the document gets its sending date when it is saved.
      written = state.sprawozdania->children().size() > before;
      if (written && !record_.writtenIds.contains(row.IDSPRAW)) {
        record_.writtenIds.insert(row.IDSPRAW);
        record_.writtenReports.push_back(runReport(row));
      }
      ++progressDone_;
      if (onProgress) onProgress(progressDone_, progressTotal_, row);
    }
    if (rozwiniecie != nullptr) forReport(row, [&] { ElementSprawozdanieRozwiniecie(*rozwiniecie); });
    if (row.podpisane) {
      state.signedRowSeen = true;
      // Only reports written into the package have their signatures in it.
      if (written) state.signedReports.push_back({row.IDSPRAW, anchorText(registry_.signatureSymbol(row.sTypSprBestia), row.IDSPRAW)});
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
  // Rb-50 is written as its two parts.
  for (const QString& symbol : registry_.writtenAs(currentRow().sTypSprBestia)) DodajSprawozdanie(symbol);
}

QString TXMLPaczkaSprawozdan::keptXmlOf(const char* typ) const {
  QString sql = QStringLiteral("SELECT * FROM %1 WHERE IDSPRAW=:IDSPRAW")
                    .arg(catalogue::tableFor(dtm_.RodzajEksportu(), QStringLiteral("SPRAWOZDXML")));
  if (typ != nullptr) sql += QStringLiteral(" AND TYP='%1'").arg(QString::fromLatin1(typ));
  db::Query query(dtm_.DB());
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), currentRow().IDSPRAW);
  const db::DataSet kept = query.open();
  return kept.isEmpty() ? QString() : kept.text(u"WYEKSPORTOWANY_XML");
}

bool TXMLPaczkaSprawozdan::placeKeptXml(XmlElement& parent, const char* typ) {
  const catalogue::SelectRow& row = currentRow();
  if (!row.podpisane) return false;
  QString kept = keptXmlOf(typ);
  if (kept.isEmpty()) return false;
  // The report goes out as exported and signed earlier: its kept text replaces this
  // placeholder when the package is saved.
  XMLWstawZnacznik(parent, QStringLiteral("WYEKSPORTOWANY_XML"));
  record_.keptXml.push_back({row.IDSPRAW, std::move(kept)});
  return true;
}

void TXMLPaczkaSprawozdan::DodajSprawozdanie(const QString& sTypSpraw) {
  if (list_ == nullptr) throw std::logic_error("DodajSprawozdanie outside of a report list");
  const ReportFamily* family = registry_.bySymbol(sTypSpraw);
  if (placeKeptXml(*list_->sprawozdania, family != nullptr ? family->keptXmlTyp : nullptr)) return;
  // A symbol outside the registry, or a family whose body is not written yet, writes nothing.
  if (family == nullptr || !family->body.isWritten()) return;
  list_->sprawozdania->append(buildReportElements(family->body, sTypSpraw, currentReport(), dtm_.memMain().TYP));
}

}  // namespace wertalo::package
