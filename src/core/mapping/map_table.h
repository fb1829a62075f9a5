// Wertalo mapping: the assignment table BILTOBESTIAMAP, one entry per report kind and product
// position, with the entries kept in memory for lookups.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

#include "core/db/query.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::mapping {

// BILTOBESTIAMAP. ID_BILBESTIA greater than 0: the assigned Besti@ position; 0: none; -1:
// marked as not to be assigned. Where the table holds several rows of one kind and position,
// the first in index order (TYPSPR, ID_BILPOZ, ID_BILBESTIA) counts, and a write sets them all.
class MapTable {
 public:
  explicit MapTable(db::Connection& connection);

  // Reads the whole table into memory.
  void reload();
  // The entry as last read or written; nothing when the table has no row for it.
  std::optional<qint64> cached(const QString& typspr, qint64 idBilPoz) const;
  // The entry read from the database now (the memory follows).
  std::optional<qint64> read(const QString& typspr, qint64 idBilPoz);
  // Writes the entry at once: edits the existing row(s) when `exists`, inserts a row otherwise.
  void write(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia, bool exists);
  // The positions of this kind that the database has assigned this Besti@ position to.
  QSet<qint64> holders(const QString& typspr, qint64 idBilBestia);

 private:
  static QString key(const QString& typspr, qint64 idBilPoz);

  QHash<QString, qint64> entries_;
  db::Query all_;
  db::Query one_;
  db::Query update_;
  db::Query insert_;
  db::Query holders_;
};

}  // namespace wertalo::mapping
