#include "gui/forms/positions_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "core/mapping/position_query.h"

namespace wertalo::gui {

using namespace Qt::StringLiterals;

namespace {

const QString kTitles[PositionsModel::ColumnCount] = {u"Nazwa pozycji bilansu"_s, u"Symbol"_s, u"<>"_s,
                                                      u"S. Bestia"_s, u"Nazwa pozycji w programie Bestia"_s};
// The status column: light grey cells under a darker grey title.
const QColor kStatusCell(0xD3, 0xD3, 0xD3);
const QColor kStatusTitle(0xA3, 0xA3, 0xA3);

}  // namespace

PositionsModel::PositionsModel(QObject* parent) : QAbstractTableModel(parent) {}

void PositionsModel::reload(mapping::PositionQuery& list) {
  beginResetModel();
  rows_.clear();
  if (list.active()) {
    db::DataSet& data = list.data();
    const db::DataSet::Bookmark mark = data.bookmark();
    for (data.first(); !data.eof(); data.next()) {
      const mapping::PositionFields& f = list.fields();
      rows_.push_back({data.integer(u"ID_BILPOZ"),
                       {data.text(u"NAZWA"), f.sBestiaId, f.sMapStatus, f.sBestiaSymbol, f.sBestiaNazwa}});
    }
    data.gotoBookmark(mark);
  }
  endResetModel();
}

int PositionsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PositionsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PositionsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const bool status = index.column() == sMapStatus;
  switch (role) {
    case Qt::DisplayRole:
      return rows_[static_cast<size_t>(index.row())].texts[index.column()];
    case Qt::TextAlignmentRole:
      return status ? QVariant(Qt::AlignCenter) : QVariant();
    case Qt::FontRole:
      if (status) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::BackgroundRole:
      return status ? QVariant(QBrush(kStatusCell)) : QVariant();
    default:
      return {};
  }
}

QVariant PositionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
  if (role == Qt::DisplayRole) return kTitles[section];
  if (role == Qt::BackgroundRole && section == sMapStatus) return QBrush(kStatusTitle);
  return {};
}

}  // namespace wertalo::gui
