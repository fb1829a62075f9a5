#include "core/db/field_index.h"

#include <QChar>

namespace wertalo::db {

namespace {

// A hash that names equal without regard to case share: each character is case-folded, and
// only folded characters of the ASCII range count (every name compared is mostly ASCII; a
// character that folds into that range, as the Kelvin sign does, counts like its fold).
size_t foldedHash(QStringView name) {
  size_t hash = 14695981039346656037ULL;
  for (const QChar c : name) {
    const char16_t folded = QChar::toCaseFolded(c.unicode());
    if (folded >= 0x80) continue;
    hash = (hash ^ folded) * 1099511628211ULL;
  }
  return hash;
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

FieldIndex::FieldIndex(QStringList names) : names_(std::move(names)) {
  size_t size = 8;
  while (size < static_cast<size_t>(names_.size()) * 2) size *= 2;
  slots_.assign(size, -1);
  const size_t mask = size - 1;
  for (int i = 0; i < names_.size(); ++i) {
    size_t slot = foldedHash(names_[i]) & mask;
    bool taken = false;
    while (slots_[slot] >= 0) {
      if (sameName(names_[slots_[slot]], names_[i])) {
        taken = true;  // an earlier field of the same name stays the one found
        break;
      }
      slot = (slot + 1) & mask;
    }
    if (!taken) slots_[slot] = i;
  }
}

int FieldIndex::indexOf(QStringView name) const {
  if (slots_.empty()) return -1;
  const size_t mask = slots_.size() - 1;
  for (size_t slot = foldedHash(name) & mask;; slot = (slot + 1) & mask) {
    const int index = slots_[slot];
    if (index < 0) return -1;
    if (sameName(names_[index], name)) return index;
  }
}

}  // namespace wertalo::db
