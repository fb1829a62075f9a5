// Wertalo forms: the mapping form's grid over the mapping module's list of positions: name,
// computed symbol, status, and the assigned Besti@ position.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace wertalo::mapping {
class PositionQuery;
}

namespace wertalo::gui {

class PositionsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The columns, in order.
  enum Column { NAZWA, sBestiaId, sMapStatus, sBestiaSymbol, sBestiaNazwa, ColumnCount };

  explicit PositionsModel(QObject* parent = nullptr);

  // Shows the rows of the list as it is now (none when it is closed).
  void reload(mapping::PositionQuery& list);
  // ID_BILPOZ of a row.
  qint64 idAt(int row) const { return rows_.at(static_cast<size_t>(row)).id; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    qint64 id = 0;
    QString texts[ColumnCount];
  };
  std::vector<Row> rows_;
};

}  // namespace wertalo::gui
