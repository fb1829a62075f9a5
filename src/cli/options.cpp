#include "cli/options.h"

#include <QRegularExpression>

#include <functional>
#include <limits>
#include <map>
#include <vector>

#include "cli/console_ui.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

// An option without a value: the field it sets.
const std::map<QString, bool Options::*>& flagTable() {
  static const std::map<QString, bool Options::*> table = {
      {u"--plain"_s, &Options::plain},         {u"--all-statuses"_s, &Options::allStatuses},
      {u"--no-group-jst"_s, &Options::noGroupJst}, {u"--json"_s, &Options::json},
      {u"--zip"_s, &Options::zip},             {u"--delete-packed"_s, &Options::deletePacked},
      {u"--external"_s, &Options::external},
  };
  return table;
}

// An option with a value: how the value is taken (false with the reason in `error`).
using ValueStep = std::function<bool(Options&, const QString& value, QString* error)>;

ValueStep into(QString Options::*field) {
  return [field](Options& o, const QString& value, QString*) {
    o.*field = value;
    return true;
  };
}

ValueStep listInto(QString Options::*field, const QString& name) {
  return [field, name](Options& o, const QString& value, QString* error) {
    QString reason;
    o.*field = idList(value, &reason);
    if (!(o.*field).isEmpty()) return true;
    *error = u"%1: %2"_s.arg(name, reason);
    return false;
  };
}

const std::map<QString, ValueStep>& valueTable() {
  static const std::map<QString, ValueStep> table = {
      {u"--win-ini"_s, into(&Options::winIni)},
      {u"--single-file"_s, into(&Options::singleFile)},
      {u"--out"_s, into(&Options::outDir)},
      {u"--login"_s, into(&Options::login)},
      {u"--jb"_s, listInto(&Options::jbList, u"--jb"_s)},
      {u"--ids"_s, listInto(&Options::ids, u"--ids"_s)},
      {u"--kind"_s,
       [](Options& o, const QString& value, QString* error) {
         if (value != u"reports"_s && value != u"balances"_s) {
           *error = u"--kind: oczekiwano \"reports\" albo \"balances\", podano \"%1\""_s.arg(value);
           return false;
         }
         o.kind = value;
         return true;
       }},
      {u"--year"_s,
       [](Options& o, const QString& value, QString* error) {
         o.year = twoDigitYear(value);
         if (!o.year.isEmpty()) return true;
         *error = u"--year: niepoprawny rok \"%1\" (np. 2013 albo 13)"_s.arg(value);
         return false;
       }},
      {u"--period"_s,
       [](Options& o, const QString& value, QString* error) {
         static const QRegularExpression code(QRegularExpression::anchoredPattern(u"[A-L1-4]"_s));
         if (code.match(value).hasMatch()) {
           o.period = value;
           return true;
         }
         *error = u"--period: niepoprawny okres \"%1\" (A–L dla miesiąca, 1–4 dla kwartału)"_s.arg(value);
         return false;
       }},
  };
  return table;
}

// An argument that names an option: "-x", "--name"; a negative number is no option.
bool isOption(const QString& arg) {
  static const QRegularExpression negativeNumber(u"^-[0-9]"_s);
  return arg.size() > 1 && arg.startsWith(u'-') && !negativeNumber.match(arg).hasMatch();
}

}  // namespace

QString twoDigitYear(const QString& year) {
  static const QRegularExpression four(QRegularExpression::anchoredPattern(u"20([0-9]{2})"_s));
  static const QRegularExpression two(QRegularExpression::anchoredPattern(u"[0-9]{2}"_s));
  if (const auto m = four.match(year); m.hasMatch()) return m.captured(1);
  if (two.match(year).hasMatch()) return year;
  return QString();
}

QString idList(const QString& text, QString* error) {
  static const QRegularExpression form(QRegularExpression::anchoredPattern(u"[0-9]+(,[0-9]+)*,?"_s));
  const auto fail = [error](const QString& reason) {
    if (error != nullptr) *error = reason;
    return QString();
  };
  if (!form.match(text).hasMatch())
    return fail(u"oczekiwano listy liczb rozdzielonych przecinkami, podano \"%1\""_s.arg(text));
  QString list;
  for (const QString& number : text.split(u',', Qt::SkipEmptyParts)) {
    bool ok = false;
    const qint64 id = number.toLongLong(&ok);
    // The number is never wrapped: one that does not fit is refused.
    if (!ok) return fail(u"liczba %1 jest za duża (największa to %2)"_s.arg(number).arg(std::numeric_limits<qint64>::max()));
    list += QString::number(id) + u',';
  }
  return list;
}

std::vector<qint64> identifiers(const QString& list) {
  std::vector<qint64> ids;
  for (const QString& id : list.split(u',', Qt::SkipEmptyParts)) ids.push_back(id.toLongLong());
  return ids;
}

std::optional<Options> parseOptions(const QStringList& args, const QStringList& allowed, QString* error) {
  Options o;
  // Asked for help, the command only shows it, whatever else is given.
  if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
    o.help = true;
    return o;
  }
  QStringList seen;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (!isOption(a)) {
      o.positional << a;
      continue;
    }
    QString name = a;
    QString value;
    bool inlineValue = false;
    if (const qsizetype eq = a.indexOf(u'='); eq > 0) {
      name = a.left(eq);
      value = a.mid(eq + 1);
      inlineValue = true;
    }
    if (!allowed.contains(name)) {
      *error = u"Nieznana opcja: %1"_s.arg(name);
      return std::nullopt;
    }
    if (seen.contains(name)) {
      *error = u"Opcję %1 podano więcej niż raz"_s.arg(name);
      return std::nullopt;
    }
    seen << name;
    if (const auto flag = flagTable().find(name); flag != flagTable().end()) {
      if (inlineValue) {
        *error = u"Opcja %1 nie przyjmuje wartości"_s.arg(name);
        return std::nullopt;
      }
      o.*(flag->second) = true;
      continue;
    }
    if (!inlineValue) {
      // The next option is no value: "--ids --out X" lacks the list.
      if (i + 1 >= args.size() || isOption(args[i + 1])) {
        *error = u"Opcja %1 wymaga wartości"_s.arg(name);
        return std::nullopt;
      }
      value = args[++i];
    }
    if (value.isEmpty()) {
      *error = u"Opcja %1 wymaga niepustej wartości"_s.arg(name);
      return std::nullopt;
    }
    const auto step = valueTable().find(name);
    if (step == valueTable().end()) {
      *error = u"Nieznana opcja: %1"_s.arg(name);
      return std::nullopt;
    }
    if (!step->second(o, value, error)) return std::nullopt;
  }
  return o;
}

std::optional<Options> parseCommandOptions(const QStringList& args, const QStringList& allowed, int positionals) {
  QString error;
  auto options = parseOptions(args, allowed, &error);
  if (options && !options->help && positionals >= 0 && options->positional.size() > positionals)
    error = u"Nieoczekiwany argument: %1"_s.arg(options->positional.at(positionals));
  if (!error.isEmpty()) {
    err(error + u"\n"_s);
    return std::nullopt;
  }
  return options;
}

}  // namespace wertalo::cli
