#include "core/demo/demo_catalogue.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// Territorial codes of the city (a city with county rights).
const QString kWk = u"24"_s;
const QString kPk = u"80"_s;
const QString kGk = u"01"_s;
const QString kGt = u"1"_s;
const QString kPt = u"1"_s;

struct UnitTemplate {
  const char16_t* name;  // "%1" stands for the unit's number
  const char16_t* kind;
  Profile profile;
  int scale;
};

// The first six units, then the repeating pattern of further schools, kindergartens and centres.
const UnitTemplate kFirstUnits[] = {
    {u"Urząd Miasta Łomnica Zdrój", u"J", Profile::Office, 100},
    {u"Szkoła Podstawowa nr 3 im. Marii Skłodowskiej-Curie", u"J", Profile::School, 100},
    {u"Miejski Zespół Obsługi Oświaty (sprawozdanie grupowe szkół)", u"G", Profile::Group, 100},
    {u"Przedszkole Miejskie nr 5 \"Słoneczko\"", u"J", Profile::Kindergarten, 100},
    {u"Miejski Ośrodek Pomocy Społecznej", u"J", Profile::Welfare, 100},
    {u"Zakład Gospodarki Komunalnej & Mieszkaniowej", u"Z", Profile::Establishment, 100},
};
const UnitTemplate kMoreUnits[] = {
    {u"Szkoła Podstawowa nr %1", u"J", Profile::School, 80},
    {u"Przedszkole Miejskie nr %1", u"J", Profile::Kindergarten, 70},
    {u"Gimnazjum nr %1 im. Jana Kochanowskiego", u"J", Profile::School, 90},
    {u"Żłobek Miejski nr %1", u"J", Profile::Kindergarten, 50},
    {u"Dom Pomocy Społecznej nr %1", u"J", Profile::Welfare, 60},
    {u"Zespół Szkół Zawodowych nr %1 – \"Mechanik\"", u"J", Profile::School, 120},
};

struct TypeName {
  const char16_t* code;
  const char16_t* name;
  const char16_t* shortName;
  const char16_t* gmpw;
};

// The report types the selection offers, and the balance sheets.
const TypeName kTypes[] = {
    {u"BILB", u"Bilans z wykonania budżetu jednostki samorządu terytorialnego", u"Bilans z wykonania budżetu", u"GMPW"},
    {u"BILJ", u"Bilans jednostki budżetowej", u"Bilans jednostki", u"GMPW"},
    {u"BILL", u"Bilans łączny jednostek budżetowych", u"Bilans łączny", u"GMPW"},
    {u"BILS", u"Skonsolidowany bilans jednostki samorządu terytorialnego", u"Bilans skonsolidowany", u"GMPW"},
    {u"D", u"Rb-27S z wykonania planu dochodów budżetowych", u"Rb-27S dochody budżetowe", u"GMPW"},
    {u"F", u"Rb-NDS o nadwyżce/deficycie jednostki samorządu terytorialnego", u"Rb-NDS nadwyżka/deficyt", u"GMPW"},
    {u"FJ", u"Zestawienie zmian w funduszu jednostki", u"F-Zzf zmiany w funduszu jednostki", u"GMPW"},
    {u"N", u"Rb-N o stanie należności oraz wybranych aktywów finansowych", u"Rb-N należności", u"GMPW"},
    {u"NWS", u"Rb-28NWS z wykonania wydatków, które nie wygasają z upływem roku", u"Rb-28NWS wydatki niewygasające", u"GMPW"},
    {u"P", u"Rb-PDP o dochodach z podatków i opłat lokalnych", u"Rb-PDP podatki i opłaty", u"GM"},
    {u"RB30", u"Rb-30S z wykonania planu finansowego samorządowego zakładu budżetowego", u"Rb-30S zakład budżetowy", u"GMPW"},
    {u"RB31", u"Rb-31 z wykonania planu finansowego gospodarstwa pomocniczego", u"Rb-31 gospodarstwo pomocnicze", u"GMPW"},
    {u"RB33", u"Rb-33 z wykonania planu finansowego funduszu celowego", u"Rb-33 fundusz celowy", u"GMPW"},
    {u"RB34", u"Rb-34S z wykonania planu dochodów gromadzonych na wydzielonym rachunku", u"Rb-34S dochody wydzielone", u"GMPW"},
    {u"RB50", u"Rb-50 o dotacjach i wydatkach związanych z zadaniami zleconymi", u"Rb-50 dotacje i wydatki", u"GMPW"},
    {u"RBZZ", u"Rb-27ZZ z wykonania dochodów związanych z realizacją zadań zleconych", u"Rb-27ZZ dochody zadań zleconych", u"GMPW"},
    {u"ST", u"Rb-ST o stanie środków na rachunkach bankowych", u"Rb-ST stan środków", u"GMPW"},
    {u"UN", u"Rb-UN uzupełniające o stanie należności", u"Rb-UN należności uzupełniające", u"GMPW"},
    {u"UZ", u"Rb-UZ uzupełniające o stanie zobowiązań", u"Rb-UZ zobowiązania uzupełniające", u"GMPW"},
    {u"W", u"Rb-28S z wykonania planu wydatków budżetowych", u"Rb-28S wydatki budżetowe", u"GMPW"},
    {u"WS", u"Rb-WS o wydatkach strukturalnych", u"Rb-WS wydatki strukturalne", u"GMPW"},
    {u"Z", u"Rb-Z o stanie zobowiązań według tytułów dłużnych oraz poręczeń", u"Rb-Z zobowiązania", u"GMPW"},
    {u"ZN", u"Rb-ZN o stanie zobowiązań i należności", u"Rb-ZN zobowiązania i należności", u"GMPW"},
    {u"ZS", u"Rachunek zysków i strat jednostki", u"F-Rzs rachunek zysków i strat", u"GMPW"},
};

Value text(const char16_t* s) { return QString::fromUtf16(s); }
Value integer(qint64 i) { return i; }

int checkDigit(const QString& digits, const std::vector<int>& weights) {
  int sum = 0;
  for (size_t i = 0; i < weights.size(); ++i) sum += weights[i] * digits.at(static_cast<qsizetype>(i)).digitValue();
  const int rest = sum % 11;
  return rest == 10 ? 0 : rest;
}

Unit makeUnit(int idJb, const UnitTemplate& t, int number) {
  Unit u;
  u.idJb = idJb;
  u.name = QString::fromUtf16(t.name);
  if (u.name.contains(u"%1"_s)) u.name = u.name.arg(number);
  u.kind = QString::fromUtf16(t.kind);
  u.profile = t.profile;
  u.scale = t.scale + (idJb * 37) % 41;
  const QString base = u"24"_s + QString::number(100000 + (idJb * 7919) % 900000);
  const QString regon = regon9(base);
  // REGON and its local-unit suffix come in the lengths the register holds.
  switch (idJb % 4) {
    case 1:  // nine digits and a five-character suffix
      u.regon = regon;
      u.regon2 = QString::number(idJb % 10000).rightJustified(4, u'0');
      u.regon2 += regon14CheckDigit(regon + u.regon2);
      break;
    case 2:  // nine digits, an empty suffix
      u.regon = regon;
      u.regon2 = u""_s;
      break;
    case 3: {  // fourteen digits in one column
      const QString first = regon + u"0001"_s;
      u.regon = first + regon14CheckDigit(first);
      break;
    }
    default:  // nine digits and a short suffix
      u.regon = regon;
      u.regon2 = u"01"_s;
      break;
  }
  return u;
}

}  // namespace

QString regon9(const QString& firstEight) {
  return firstEight + QString::number(checkDigit(firstEight, {8, 9, 2, 3, 4, 5, 6, 7}));
}

QChar regon14CheckDigit(const QString& firstThirteen) {
  return QChar(u'0' + checkDigit(firstThirteen, {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8}));
}

World makeWorld(int unitCount) {
  World world;
  world.city.idJb = 0;
  world.city.name = u"Miasto Łomnica Zdrój"_s;
  world.city.kind = u"M"_s;
  world.city.regon = regon9(u"27625814"_s);
  world.city.profile = Profile::City;
  world.city.scale = 100;
  const int firstCount = static_cast<int>(std::size(kFirstUnits));
  const int moreCount = static_cast<int>(std::size(kMoreUnits));
  for (int i = 0; i < unitCount; ++i) {
    const int idJb = i + 1;
    if (i < firstCount) {
      world.units.push_back(makeUnit(idJb, kFirstUnits[i], 0));
    } else {
      const int k = i - firstCount;
      world.units.push_back(makeUnit(idJb, kMoreUnits[k % moreCount], 10 + k / moreCount));
    }
  }
  return world;
}

std::vector<Period> demoPeriods() {
  std::vector<Period> periods;
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    for (int quarter = 1; quarter <= 4; ++quarter) {
      for (int m = 1; m <= 3; ++m) {
        Period p;
        p.year = year;
        p.quarter = quarter;
        p.month = (quarter - 1) * 3 + m;
        p.code = QString(QChar(u'A' + p.month - 1));
        p.first = QDate(year, p.month, 1);
        p.last = p.first.addMonths(1).addDays(-1);
        periods.push_back(p);
      }
      Period q;
      q.year = year;
      q.quarter = quarter;
      q.code = QString::number(quarter);
      q.first = QDate(year, (quarter - 1) * 3 + 1, 1);
      q.last = q.first.addMonths(3).addDays(-1);
      periods.push_back(q);
    }
  }
  return periods;
}

void writeCatalogue(RowWriter& w, const World& world, const std::vector<Period>& periods) {
  // The period calendar: months are parts of their quarter (-200, -100, -50), a quarter is 0.
  QString previousKey = u"0000"_s;
  for (const Period& p : periods) {
    const qint64 part = p.isQuarter() ? 0 : (p.month - 1) % 3 == 0 ? -200 : (p.month - 1) % 3 == 1 ? -100 : -50;
    const QString key = QString::number(p.quarter) + (part == 0 ? u"000"_s : QString::number(-part).rightJustified(3, u'0'));
    w.insert(u"okresD"_s, {{u"Rok"_s, p.rok()}, {u"Okres"_s, QString::number(p.quarter)}, {u"Okres2"_s, part},
                           {u"OpZam"_s, key}, {u"OpOtw"_s, previousKey},
                           {u"TYPOKRESU"_s, p.isQuarter() ? u"K"_s : u"M"_s}, {u"DPOCZ"_s, p.first}, {u"DKON"_s, p.last}});
    previousKey = key;
  }

  // The register keeps the unit's earlier name in a row of its own.
  const Fields codes = {{u"WK"_s, kWk}, {u"PK"_s, kPk}, {u"GK"_s, kGk}, {u"GT"_s, kGt}, {u"PT"_s, kPt}};
  Fields old = {{u"ID_JST"_s, integer(World::kIdJst)}, {u"DATA_ROZ"_s, QDate(1999, 1, 1)}, {u"DATA_ZAK"_s, QDate(2012, 12, 31)}};
  old.insert(old.end(), codes.begin(), codes.end());
  old.insert(old.end(), {{u"TYPJST"_s, u"M"_s}, {u"NAZWA"_s, u"Gmina Miasto Łomnica Zdrój"_s}, {u"REGON"_s, u"27625814"_s}});
  w.insert(u"S_JstWyk"_s, old);
  Fields current = {{u"ID_JST"_s, integer(World::kIdJst)}, {u"DATA_ROZ"_s, QDate(2013, 1, 1)}, {u"DATA_ZAK"_s, QDate(2099, 12, 31)}};
  current.insert(current.end(), codes.begin(), codes.end());
  current.insert(current.end(), {{u"TYPJST"_s, world.city.kind}, {u"NAZWA"_s, world.city.name}, {u"REGON"_s, world.city.regon}});
  w.insert(u"S_JstWyk"_s, current);
  w.insert(u"JSTDOP"_s, {{u"REGON"_s, world.city.regon}});
  w.insert(u"PARAMS"_s, {{u"IDJST"_s, integer(World::kIdJst)}});

  for (const TypeName& t : kTypes) {
    w.insert(u"S_TYPSPR"_s, {{u"TYPSPR"_s, text(t.code)}, {u"Nazwa"_s, text(t.name)}, {u"NazwaS"_s, text(t.shortName)},
                             {u"GMPW"_s, text(t.gmpw)}});
  }

  // Budget units are listed for every period of the calendar.
  for (const Period& p : periods) {
    for (const Unit& u : world.units) {
      Fields row = {{u"ID_JST"_s, integer(World::kIdJst)}, {u"ID_JB"_s, integer(u.idJb)}, {u"NAZWA"_s, u.name},
                    {u"ROK"_s, p.rok()}, {u"OKRES"_s, p.code}, {u"OKRES2"_s, integer(0)}, {u"TYP_JB"_s, u.kind},
                    {u"REGON"_s, u.regon}, {u"REGON_2"_s, u.regon2}};
      row.insert(row.end(), codes.begin(), codes.end());
      w.insert(u"JBOBS"_s, row);
    }
  }

  w.insert(u"USER_"_s, {{u"USERID"_s, integer(1)}, {u"LOGIN"_s, u"anowak"_s}, {u"PAS"_s, u"Zima2014!"_s},
                        {u"IMIE"_s, u"Anna"_s}, {u"NAZWISKO"_s, u"Nowak"_s}});
  w.insert(u"USER_"_s, {{u"USERID"_s, integer(2)}, {u"LOGIN"_s, u"kwisniewska"_s}, {u"PAS"_s, u""_s},
                        {u"IMIE"_s, u"Krystyna"_s}, {u"NAZWISKO"_s, u"Wiśniewska-Żak"_s}});
}

}  // namespace wertalo::demo
