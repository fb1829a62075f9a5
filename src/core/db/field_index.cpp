#include "core/db/field_index.h"

#include <QChar>

namespace wertalo::db {

namespace {

// A hash that names equal without regard to case share: each character is case-folded, and
// only folded characters of the ASCII range count (every name compared is mostly ASCII; a
// character that folds into that range, as the Kelvin sign does, counts like its fold).
char16_t asciiFolded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

size_t foldedHash(QStringView name) {
  size_t hash = 14695981039346656037ULL;
  for (const QChar c : name) {
    const char16_t u = c.unicode();
    const char16_t folded = u < 0x80 ? asciiFolded(u) : QChar::toCaseFolded(u);
    if (folded >= 0x80) continue;
    hash = (hash ^ folded) * 1099511628211ULL;
  }
  return hash;
}

bool sameName(QStringView a, QStringView b) {
  // Names of plain ASCII (nearly all) are compared here; any other goes to Qt's comparison.
  if (a.size() == b.size()) {
    bool ascii = true;
    for (qsizetype i = 0; i < a.size() && ascii; ++i) {
      const char16_t x = a[i].unicode();
      const char16_t y = b[i].unicode();
      if (x >= 0x80 || y >= 0x80) {
        ascii = false;
      } else if (asciiFolded(x) != asciiFolded(y)) {
        return false;
      }
    }
    if (ascii) return true;
  }
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

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
