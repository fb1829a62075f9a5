#include "cli/options.h"

#include <QRegularExpression>

#include "cli/console_ui.h"

namespace wertalo::cli {

QString twoDigitYear(const QString& year) {
  static const QRegularExpression four(QStringLiteral("^20([0-9]{2})$"));
  static const QRegularExpression two(QStringLiteral("^[0-9]{2}$"));
  if (const auto m = four.match(year); m.hasMatch()) return m.captured(1);
  if (two.match(year).hasMatch()) return year;
  return QString();
}

QString idList(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^[0-9]+(,[0-9]+)*,?$"));
  if (!form.match(text).hasMatch()) return QString();
  return text.endsWith(QLatin1Char(',')) ? text : text + QLatin1Char(',');
}

std::optional<Options> parseOptions(const QStringList& args, const QStringList& allowed, QString* error) {
  Options o;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (!a.startsWith(QLatin1String("--"))) {
      o.positional << a;
      continue;
    }
    QString name = a;
    QString value;
    bool inlineValue = false;
    if (const int eq = a.indexOf(QLatin1Char('=')); eq > 0) {
      name = a.left(eq);
      value = a.mid(eq + 1);
      inlineValue = true;
    }
    if (!allowed.contains(name)) {
      *error = QStringLiteral("Nieznana opcja: %1").arg(name);
      return std::nullopt;
    }
    static const QStringList flags = {QStringLiteral("--plain"), QStringLiteral("--all-statuses"),
                                      QStringLiteral("--no-group-jst"), QStringLiteral("--json")};
    if (flags.contains(name)) {
      if (inlineValue) {
        *error = QStringLiteral("Opcja %1 nie przyjmuje wartości").arg(name);
        return std::nullopt;
      }
      if (name == QLatin1String("--plain")) o.plain = true;
      else if (name == QLatin1String("--all-statuses")) o.allStatuses = true;
      else if (name == QLatin1String("--no-group-jst")) o.noGroupJst = true;
      else o.json = true;
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        *error = QStringLiteral("Opcja %1 wymaga wartości").arg(name);
        return std::nullopt;
      }
      value = args[++i];
    }
    if (name == QLatin1String("--win-ini")) o.winIni = value;
    else if (name == QLatin1String("--kind")) {
      if (value != QLatin1String("reports") && value != QLatin1String("balances")) {
        *error = QStringLiteral("--kind: oczekiwano \"reports\" albo \"balances\", podano \"%1\"").arg(value);
        return std::nullopt;
      }
      o.kind = value;
    } else if (name == QLatin1String("--year")) {
      o.year = twoDigitYear(value);
      if (o.year.isEmpty()) {
        *error = QStringLiteral("--year: niepoprawny rok \"%1\" (np. 2013 albo 13)").arg(value);
        return std::nullopt;
      }
    } else if (name == QLatin1String("--period")) {
      static const QRegularExpression code(QStringLiteral("^[A-L1-4]$"));
      if (!code.match(value).hasMatch()) {
        *error = QStringLiteral("--period: niepoprawny okres \"%1\" (A–L dla miesiąca, 1–4 dla kwartału)").arg(value);
        return std::nullopt;
      }
      o.period = value;
    } else if (name == QLatin1String("--jb") || name == QLatin1String("--ids")) {
      const QString list = idList(value);
      if (list.isEmpty()) {
        *error = QStringLiteral("%1: oczekiwano listy liczb rozdzielonych przecinkami, podano \"%2\"").arg(name, value);
        return std::nullopt;
      }
      (name == QLatin1String("--jb") ? o.jbList : o.ids) = list;
    } else if (name == QLatin1String("--single-file")) o.singleFile = value;
    else if (name == QLatin1String("--out")) o.outDir = value;
  }
  return o;
}

std::optional<Options> parseCommandOptions(const QStringList& args, const QStringList& allowed) {
  QString error;
  auto options = parseOptions(args, allowed, &error);
  if (!options) err(error + QLatin1Char('\n'));
  return options;
}

}  // namespace wertalo::cli
