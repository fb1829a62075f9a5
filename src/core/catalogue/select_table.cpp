#include "core/catalogue/select_table.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <tuple>

namespace wertalo::catalogue {

void SelectTable::clear() {
  rows_.clear();
  order_.clear();
  pos_ = 0;
}

void SelectTable::append(SelectRow row) {
  rows_.push_back(std::move(row));
  const int added = recordCount() - 1;
  if (index_ == Index::None) {
    order_.push_back(added);
  } else {
    reorder();
  }
  // The new row becomes the current one, as after an append and post.
  for (int i = recordCount() - 1; i >= 0; --i) {
    if (order_[static_cast<size_t>(i)] == added) {
      pos_ = i;
      break;
    }
  }
}

void SelectTable::setIndex(Index index) {
  index_ = index;
  reorder();
  pos_ = 0;
}

void SelectTable::reorder() {
  order_.resize(rows_.size());
  std::iota(order_.begin(), order_.end(), 0);
  if (index_ == Index::IDSPRAW) {
    std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
      return rows_[static_cast<size_t>(a)].IDSPRAW < rows_[static_cast<size_t>(b)].IDSPRAW;
    });
  } else if (index_ == Index::ID_JB_ID_CZAST_sCzesc) {
    std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
      const SelectRow& x = rows_[static_cast<size_t>(a)];
      const SelectRow& y = rows_[static_cast<size_t>(b)];
      return std::tie(x.ID_JB, x.ID, x.CZAST) < std::tie(y.ID_JB, y.ID, y.CZAST) ||
             (std::tie(x.ID_JB, x.ID, x.CZAST) == std::tie(y.ID_JB, y.ID, y.CZAST) && x.sCzesc < y.sCzesc);
    });
  }
}

SelectRow& SelectTable::current() {
  if (eof()) throw std::out_of_range("memSelectSpraw: no current row");
  return at(pos_);
}

const SelectRow& SelectTable::current() const {
  if (eof()) throw std::out_of_range("memSelectSpraw: no current row");
  return at(pos_);
}

int SelectTable::tickedCount() const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const SelectRow& r) { return r.SELEKCJA; }));
}

}  // namespace wertalo::catalogue
