// Wertalo demo: the installation being generated (the city, its budget units, the periods)
// and the report being written, shared by the generators of the tables.
#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

#include "core/demo/demo_random.h"
#include "core/demo/demo_rows.h"

namespace wertalo::demo {

// What kind of unit files the report; it decides the budget classification and the amounts.
enum class Profile { City, Office, School, Kindergarten, Welfare, Establishment, Group };

// A unit that files reports: the city itself (idJb 0) or one of its budget units.
struct Unit {
  int idJb = 0;
  QString name;
  QString kind;  // TYP_JB: "J" budget unit, "Z" budget establishment, "G" group unit
  QString regon;
  QString regon2;
  Profile profile = Profile::City;
  int scale = 100;  // amounts in percent of the profile's usual size
};

// A reporting period: a month ("A" to "L") or a quarter ("1" to "4").
struct Period {
  int year = 2013;
  QString code;      // OKRES of the report tables
  int quarter = 1;   // 1 to 4
  int month = 0;     // 1 to 12 for a month, 0 for a quarter
  QDate first;
  QDate last;

  bool isQuarter() const { return month == 0; }
  // Two-digit year ("13").
  QString rok() const { return QString::number(year % 100).rightJustified(2, u'0'); }
  // Part of the year covered from January to the end of the period, in twelfths.
  int twelfths() const { return isQuarter() ? quarter * 3 : month; }
};

// The city and its budget units.
struct World {
  static constexpr int kIdJst = 2461;
  Unit city;
  std::vector<Unit> units;
};

// One report being written: who files it, for which period, under which identifier.
struct Report {
  const Unit* unit = nullptr;
  Target target;
  Period period;
  QString typspr;
  int idspraw = 0;
  int podtyp = 0;
  int wersja = 0;
  int czast = 0;
  QDate date;                    // DAT_SKW
  std::optional<QDate> approved;  // DATAZAK
};

// The section and chapter of the budget classification where a unit of this profile works.
struct Classification {
  QString dzial;
  QString rozdzial;
};
Classification homeOf(Profile profile);

// The part of a yearly amount (ten-thousandths) due by the end of the period, at `percent`
// of the plan, rounded towards zero to whole grosze.
qint64 executedPart(qint64 yearly, const Period& period, qint64 percent);
// A random amount between two amounts of whole złoty, with grosze, scaled by the unit.
text::Currency randomAmount(Random& rng, const Unit& unit, qint64 loZloty, qint64 hiZloty);

}  // namespace wertalo::demo
