// The wizard's start from the product's command line: a list of budget units' reports.
#include "core/operations/session.h"

namespace wertalo::operations {

namespace {

// Statements grow with the list; a part stops at the first "," from this character on.
constexpr qsizetype kChunkLength = 1400;

}  // namespace

QStringList idListChunks(const QString& list) {
  QStringList chunks;
  QString rest = list;
  while (!rest.isEmpty()) {
    const qsizetype comma = rest.size() > kChunkLength ? rest.indexOf(QLatin1Char(','), kChunkLength - 1) : -1;
    if (comma < 0) {
      chunks << rest;
      break;
    }
    chunks << rest.left(comma + 1);
    rest = rest.mid(comma + 1);
  }
  return chunks;
}

bool Session::preselect(const QString& list) {
  dtm_->memSelectSpraw().clear();
  if (list.isEmpty()) return false;
  // The whole list is checked before any part of it reaches a statement.
  catalogue::requireIdList(list, "sprawozdań");
  bool found = false;
  for (const QString& chunk : idListChunks(list)) {
    const std::optional<catalogue::ReportListOrigin> origin = dtm_->reportListOrigin(chunk);
    if (!origin) continue;
    catalogue::MemMain unit = dtm_->memMain();
    unit.ROK = origin->ROK;
    unit.OKRES = origin->OKRES;
    dtm_->setMemMain(unit);
    dtm_->setRodzajProg(catalogue::rBudzetJB);
    dtm_->setRodzajEksportu(catalogue::rJB);
    for (qint64 id : origin->units) {
      if (!budgetUnitChosen(id)) sWybraneJB_ += QString::number(id) + QLatin1Char(',');
    }
    dtm_->SprawidDoMemo(chunk, sWybraneJB_);
    found = true;
  }
  dtm_->memSelectSpraw().first();
  return found;
}

}  // namespace wertalo::operations
