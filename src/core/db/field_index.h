// Wertalo: the field names of a result with their positions, found by name without regard to
// case in constant time.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace wertalo::db {

// The field names of one result, looked up without regard to case (the first field of a name
// wins). Built once per statement and shared by the data sets it returns.
class FieldIndex {
 public:
  FieldIndex() = default;
  explicit FieldIndex(QStringList names);

  // The names in result order.
  const QStringList& names() const { return names_; }
  int count() const { return static_cast<int>(names_.size()); }
  // The position of the field, -1 when there is none.
  int indexOf(QStringView name) const;

 private:
  QStringList names_;
  // Open addressing: each slot holds a field position or -1; the table size is a power of two.
  std::vector<int> slots_;
};

}  // namespace wertalo::db
