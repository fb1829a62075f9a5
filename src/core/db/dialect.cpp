#include "core/db/dialect.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

namespace wertalo::db {

namespace {

class SqliteDialect final : public Dialect {
 public:
  Engine engine() const override { return Engine::Sqlite; }

  // "SELECT FIRST n ..." becomes "SELECT ... LIMIT n".
  QString adapt(const QString& sql) const override {
    static const QRegularExpression first(QStringLiteral("^(\\s*select\\s+)first\\s+(\\d+)\\s+"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = first.match(sql);
    if (!m.hasMatch()) return sql;
    QString rest = sql.mid(m.capturedEnd());
    while (!rest.isEmpty() && (rest.back().isSpace() || rest.back() == QLatin1Char(';'))) rest.chop(1);
    return m.captured(1) + rest + QStringLiteral(" LIMIT ") + m.captured(2);
  }

  QVariant parameterValue(const QVariant& value) const override {
    switch (value.typeId()) {
      case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
      case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
      default:
        return value;
    }
  }

  bool reusesStatements() const override { return true; }

  bool textEquals(const QVariant& cell, QStringView text) const override { return !cell.isNull() && cell.toString() == text; }

  QString columnTypesSql() const override { return QString(); }
};

class FirebirdDialect final : public Dialect {
 public:
  Engine engine() const override { return Engine::Firebird; }

  // Firebird types a parameter by what it is compared with: in '*'=:TYPSPR the parameter
  // would become CHAR(1) and a longer value would silently match nothing. The parameter is
  // cast to a text wide enough for any code.
  QString adapt(const QString& sql) const override {
    static const QRegularExpression literalParam(
        QStringLiteral("('(?:[^']|'')*'\\s*=\\s*):([A-Za-z_][A-Za-z0-9_]*)"));
    QString out = sql;
    out.replace(literalParam, QStringLiteral("\\1CAST(:\\2 AS VARCHAR(255))"));
    return out;
  }

  QVariant parameterValue(const QVariant& value) const override { return value; }

  bool reusesStatements() const override { return false; }

  bool textEquals(const QVariant& cell, QStringView text) const override {
    return !cell.isNull() && withoutTrailingSpaces(cell.toString()) == withoutTrailingSpaces(text);
  }

  // The client fetches every text BLOB with round trips of its own.
  QString columnTypesSql() const override {
    return QStringLiteral(
        "select rf.RDB$FIELD_NAME, case when f.RDB$FIELD_TYPE = 261 and f.RDB$FIELD_SUB_TYPE = 1 then 1 else 0 end "
        "from RDB$RELATION_FIELDS rf join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
        "where rf.RDB$RELATION_NAME = :TABLE order by rf.RDB$FIELD_POSITION");
  }

 private:
  static QStringView withoutTrailingSpaces(QStringView text) {
    while (!text.isEmpty() && text.back() == QLatin1Char(' ')) text.chop(1);
    return text;
  }
};

}  // namespace

std::unique_ptr<Dialect> Dialect::create(Engine engine) {
  if (engine == Engine::Firebird) return std::make_unique<FirebirdDialect>();
  return std::make_unique<SqliteDialect>();
}

}  // namespace wertalo::db
