// Wertalo wizard: the reports offered for export as a table view shows them.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "core/catalogue/select_table.h"

namespace wertalo::gui {

// Columns of the selection table a view can show, named like its fields.
enum class SelectionColumn { SELEKCJA, sNazwa, sNazwaCzesc, sWersja, sStatus, cData, podpisane, CZAST, ID_JB };

// One row per report of the selection, in the table's order; SELEKCJA is a tick box the user
// may change, podpisane a tick box only shown.
class SelectionModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // `nameTitle` heads the sNazwa column.
  SelectionModel(catalogue::SelectTable& table, std::vector<SelectionColumn> columns, QString nameTitle,
                 QObject* parent = nullptr);

  // Shows the table anew (after it was rebuilt).
  void reload();
  // The report of a row (null outside the table).
  const catalogue::SelectRow* report(int row) const;
  // Ticks every row for which `tick` says so and unticks the others.
  void tickWhere(bool (*tick)(const catalogue::SelectRow&));

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  // A report was ticked or unticked.
  void ticksChanged();

 private:
  catalogue::SelectTable& table_;
  std::vector<SelectionColumn> columns_;
  QString nameTitle_;
};

}  // namespace wertalo::gui
