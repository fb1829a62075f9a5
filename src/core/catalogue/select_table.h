// Wertalo: the reports offered for export (memSelectSpraw), with a cursor and an order.
#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace wertalo::catalogue {

// One report offered for export.
struct SelectRow {
  bool SELEKCJA = true;
  QString sNazwa;
  QString sNazwaCzesc;
  QString sWersja;
  QString sStatus;
  QDate cData;
  int ID = 0;  // place in the Besti@ report order; 0 sorts first
  QString ROK;
  QString sTypSprBestia;
  int Wersja = 0;
  QString TYPSPR;
  qint64 IDSPRAW = 0;
  QString SprawNazwa;
  QString WersjaSlownie;
  QString Status;
  QDate Data;
  QString Uwagi;
  int cWersja = 0;
  QString sNazwaJB;
  int PODTYP = 0;
  bool bWybrano = false;
  QString sDzial;
  QString sCzesc;
  QString sRozdzial;
  bool Nazwa_S = false;
  bool podpisane = false;
  int CZAST = 0;
  qint64 ID_JB = 0;
};

// The rows in the order they were added, or in an index order; a cursor over that order.
class SelectTable {
 public:
  enum class Index { None, IDSPRAW, ID_JB_ID_CZAST_sCzesc };

  void clear();
  void append(SelectRow row);
  int recordCount() const { return static_cast<int>(rows_.size()); }
  bool isEmpty() const { return rows_.empty(); }
  // The table is open from creation; host calls may use it closed.
  bool isOpen() const { return open_; }
  void setOpen(bool open) { open_ = open; }

  // Orders the rows (ties keep the order of addition) and goes to the first row.
  void setIndex(Index index);
  Index index() const { return index_; }

  void first() { pos_ = 0; }
  void next() { if (pos_ < recordCount()) ++pos_; }
  bool eof() const { return pos_ >= recordCount(); }
  int position() const { return pos_; }
  void setPosition(int pos) { pos_ = pos; }

  SelectRow& current();
  const SelectRow& current() const;
  // Rows in the current order.
  SelectRow& at(int i) { return rows_[static_cast<size_t>(order_[static_cast<size_t>(i)])]; }
  const SelectRow& at(int i) const { return rows_[static_cast<size_t>(order_[static_cast<size_t>(i)])]; }
  int tickedCount() const;

 private:
  void reorder();

  std::vector<SelectRow> rows_;
  std::vector<int> order_;
  Index index_ = Index::None;
  int pos_ = 0;
  bool open_ = true;
};

}  // namespace wertalo::catalogue
