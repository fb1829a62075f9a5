#include "gui/selection_model.h"

namespace wertalo::gui {

namespace {

using C = SelectionColumn;

// Field titles; a field without one is headed by its name.
QString title(C column) {
  switch (column) {
    case C::SELEKCJA: return QStringLiteral("Eksport");
    case C::sNazwa: return QStringLiteral("Nazwa sprawozdania");
    case C::sNazwaCzesc: return QStringLiteral(" ");
    case C::sWersja: return QStringLiteral("Wersja");
    case C::sStatus: return QStringLiteral("Status");
    case C::cData: return QStringLiteral("Data");
    case C::podpisane: return QStringLiteral("podpisane");
    case C::CZAST: return QStringLiteral("CZAST");
    case C::ID_JB: return QStringLiteral("ID_JB");
  }
  return QString();
}

bool isTick(C column) { return column == C::SELEKCJA || column == C::podpisane; }

QVariant text(const catalogue::SelectRow& row, C column) {
  switch (column) {
    case C::sNazwa: return row.sNazwa;
    case C::sNazwaCzesc: return row.sNazwaCzesc;
    case C::sWersja: return row.sWersja;
    case C::sStatus: return row.sStatus;
    case C::cData: return row.cData.isValid() ? row.cData.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    case C::CZAST: return row.CZAST;
    case C::ID_JB: return row.ID_JB;
    case C::SELEKCJA:
    case C::podpisane: break;
  }
  return {};
}

}  // namespace

SelectionModel::SelectionModel(catalogue::SelectTable& table, std::vector<SelectionColumn> columns, QString nameTitle,
                               QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)), nameTitle_(std::move(nameTitle)) {}

void SelectionModel::reload() {
  beginResetModel();
  endResetModel();
}

const catalogue::SelectRow* SelectionModel::report(int row) const {
  return row >= 0 && row < table_.recordCount() ? &table_.at(row) : nullptr;
}

void SelectionModel::tickWhere(bool (*tick)(const catalogue::SelectRow&)) {
  for (int i = 0; i < table_.recordCount(); ++i) table_.at(i).SELEKCJA = tick(table_.at(i));
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  emit ticksChanged();
}

int SelectionModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.recordCount(); }

int SelectionModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SelectionModel::data(const QModelIndex& index, int role) const {
  const catalogue::SelectRow* row = report(index.row());
  if (row == nullptr) return {};
  const C column = columns_[static_cast<size_t>(index.column())];
  if (isTick(column)) {
    if (role != Qt::CheckStateRole) return {};
    return (column == C::SELEKCJA ? row->SELEKCJA : row->podpisane) ? Qt::Checked : Qt::Unchecked;
  }
  return role == Qt::DisplayRole ? text(*row, column) : QVariant();
}

bool SelectionModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) return false;
  table_.at(index.row()).SELEKCJA = value.toInt() == Qt::Checked;
  emit dataChanged(index, index, {Qt::CheckStateRole});
  emit ticksChanged();
  return true;
}

Qt::ItemFlags SelectionModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return columns_[static_cast<size_t>(index.column())] == C::SELEKCJA ? base | Qt::ItemIsUserCheckable : base;
}

QVariant SelectionModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const C column = columns_[static_cast<size_t>(section)];
  return column == C::sNazwa ? nameTitle_ : title(column);
}

}  // namespace wertalo::gui
