// `wertalo-cli map` on the demo installation: automatic mapping, the list, a refused and an
// accepted assignment, marking, clearing, and the usage errors.
#include <QJsonArray>
#include <QJsonDocument>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "core/demo/demo_installation.h"
#include "support/qt_printers.h"

namespace wertalo {
namespace {

using namespace Qt::StringLiterals;

const QString kTaken =
    u"BŁĄD!! Wskazana pozycja bilansu już jest przypisana w innym miejscu. Polecenie nie może być wykonane.\n"_s;

class MapCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    install_ = new demo::DemoInstallation(demo::createDemoInstallation({dir_->filePath(u"demo"_s), 1}));
    QFile::copy(install_->database, pristine());
  }
  static void TearDownTestSuite() {
    delete install_;
    delete dir_;
  }
  // Each test starts from the demo database as it was made.
  void SetUp() override {
    QFile::remove(install_->database);
    ASSERT_TRUE(QFile::copy(pristine(), install_->database));
  }
  static QString pristine() { return dir_->filePath(u"pristine.sqlite"_s); }

  test::CliResult map(const QStringList& args) {
    return test::runWertaloCli(dir_->filePath(u"config"_s), QStringList{u"map"_s} + args + QStringList{u"--win-ini"_s, install_->winIni});
  }
  // The positions of the list as JSON objects by name (first of each name).
  QJsonArray list(const QStringList& filter) {
    const test::CliResult r = map(QStringList{u"list"_s, u"--json"_s} + filter);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(root.value(u"year"_s).toString(), u"2014"_s);
    return root.value(u"positions"_s).toArray();
  }
  static QJsonObject byName(const QJsonArray& positions, const QString& name) {
    for (const QJsonValue& v : positions)
      if (v.toObject().value(u"name"_s).toString() == name) return v.toObject();
    ADD_FAILURE() << "no position " << name.toStdString();
    return {};
  }
  static QString status(const QJsonObject& p) {
    return p.value(u"status"_s).toString() + u" "_s + p.value(u"bestiaSymbol"_s).toString();
  }

  static QTemporaryDir* dir_;
  static demo::DemoInstallation* install_;
};

QTemporaryDir* MapCommand::dir_ = nullptr;
demo::DemoInstallation* MapCommand::install_ = nullptr;

TEST_F(MapCommand, ListShowsTheHandMadeEntriesBeforeAnyMapping) {
  const QJsonArray positions = list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  ASSERT_EQ(positions.size(), 25);
  const QJsonObject first = positions.at(0).toObject();
  EXPECT_EQ(first.value(u"name"_s).toString(), u"A. Aktywa trwałe"_s);
  EXPECT_EQ(first.value(u"symbol"_s).toString(), u"A"_s);
  EXPECT_EQ(first.value(u"kind"_s).toString(), u"BILS"_s);
  EXPECT_EQ(first.value(u"side"_s).toString(), u"A"_s);
  EXPECT_EQ(status(first), u"? "_s);
  EXPECT_TRUE(first.value(u"idBilBestia"_s).isNull());
  EXPECT_EQ(status(byName(positions, u"3. Inne środki pieniężne"_s)), u"- "_s);
  const QJsonObject hand = positions.at(3).toObject();
  EXPECT_EQ(hand.value(u"symbol"_s).toString(), u"I.1.1.1"_s);
  EXPECT_EQ(status(hand), u"<> A.I.1.1"_s);
  EXPECT_TRUE(hand.value(u"bestiaName"_s).toString().startsWith(u"Grunty stanowiące"_s));

  const test::CliResult text = map({u"list"_s, u"--kind"_s, u"BILB"_s});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_TRUE(text.out.startsWith(u"ID_BILPOZ  Rodzaj  Strona  Symbol  <>  ID Bestii  S. Bestia  Nazwa pozycji bilansu"_s))
      << text.out.toStdString();
  EXPECT_EQ(text.out.count(u"\n"_s), 2 + 24);
}

TEST_F(MapCommand, AutoNamesThePositionsLeftWithoutABestiaPosition) {
  const test::CliResult r = map({u"auto"_s});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, u"Pozycje bez przypisanej pozycji programu Bestia: 4\n"
                  u"ID_BILPOZ  Rodzaj  Strona  Symbol   Nazwa\n"
                  u"---------  ------  ------  -------  -------------------------------------------\n"
                  u"28         BILB    A       I.3      3. Inne środki pieniężne\n"
                  u"127        BILS    P       A.IV     IV. Fundusz mienia zlikwidowanych jednostek\n"
                  u"5070       BILJ    A       B.III.3  3. Inne środki pieniężne\n"
                  u"5079       BILJ    P       A.IV     IV. Fundusz mienia zlikwidowanych jednostek\n"_s);
  const QJsonArray positions = list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  EXPECT_EQ(status(positions.at(0).toObject()), u"<> A"_s);
  EXPECT_EQ(status(byName(positions, u"3. Inne środki pieniężne"_s)), u"- "_s);  // kept
  EXPECT_EQ(status(byName(positions, u"Suma aktywów"_s)), u"<>  "_s);         // the blank symbol

  const test::CliResult again = map({u"auto"_s, u"--kind"_s, u"BILJ"_s, u"--side"_s, u"P"_s});
  EXPECT_EQ(again.out.section(u'\n', 0, 0), u"Pozycje bez przypisanej pozycji programu Bestia: 1"_s);
}

TEST_F(MapCommand, AssignRefusesABestiaPositionTakenElsewhereAndChangesNothing) {
  map({u"auto"_s});
  QJsonArray before = list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  const QJsonObject top = before.at(0).toObject();
  const QJsonObject taker = before.at(1).toObject();  // "I. Rzeczowe aktywa trwałe", A.I
  ASSERT_EQ(taker.value(u"bestiaSymbol"_s).toString(), u"A.I"_s);
  const QString id = QString::number(top.value(u"idBilPoz"_s).toInteger());
  const QString taken = QString::number(taker.value(u"idBilBestia"_s).toInteger());
  const test::CliResult r = map({u"assign"_s, id, taken, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, kTaken);
  EXPECT_EQ(list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}), before);

  // Marked, then given a free Besti@ position of its own kind and side.
  EXPECT_EQ(map({u"skip"_s, id, u"--kind"_s, u"BILS"_s}).exitCode, 0);
  EXPECT_EQ(status(list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}).at(0).toObject()), u"- "_s);
  EXPECT_EQ(map({u"clear"_s, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}).out, u"Usunięto przypisania pozycji: 25\n"_s);
  const QString own = QString::number(top.value(u"idBilBestia"_s).toInteger());
  const test::CliResult ok = map({u"assign"_s, id, taken, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
  EXPECT_EQ(ok.out, u"Pozycji %1 przypisano pozycję programu Bestia %2 (A.I).\n"_s.arg(id, taken));
  const QJsonArray after = list({u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s});
  EXPECT_EQ(status(after.at(0).toObject()), u"<> A.I"_s);
  EXPECT_EQ(status(after.at(1).toObject()), u"? "_s);
  EXPECT_EQ(after.at(1).toObject().value(u"idBilBestia"_s).toInteger(), 0);
  // The other side's Besti@ positions are not offered.
  const test::CliResult wrongSide = map({u"assign"_s, id, own, u"--kind"_s, u"BILS"_s, u"--side"_s, u"P"_s});
  EXPECT_EQ(wrongSide.exitCode, 1);
  EXPECT_TRUE(wrongSide.err.startsWith(u"Brak pozycji "_s + id)) << wrongSide.err.toStdString();
}

struct UsageCase {
  QStringList args;
  int exitCode;
  QString start;  // of standard output (exit 0) or standard error
};

TEST_F(MapCommand, UsageErrorsAndHelp) {
  const UsageCase cases[] = {
      {{}, 2, u"Użycie: wertalo-cli map POLECENIE"_s},
      {{u"--help"_s}, 0, u"Użycie: wertalo-cli map POLECENIE"_s},
      {{u"auto"_s, u"--help"_s}, 0, u"Użycie: wertalo-cli map auto [--kind BILB|BILS|BILJ] [--side A|P]"_s},
      {{u"clear"_s, u"--help"_s}, 0, u"Użycie: wertalo-cli map clear"_s},
      {{u"zrob"_s}, 2, u"Nieznane polecenie: map zrob"_s},
      {{u"list"_s, u"--kind"_s, u"BILX"_s}, 2, u"--kind: oczekiwano BILB, BILS albo BILJ, podano \"BILX\""_s},
      {{u"list"_s, u"--side=Q"_s}, 2, u"--side: oczekiwano A albo P, podano \"Q\""_s},
      {{u"auto"_s, u"--json"_s}, 2, u"Nieznana opcja: --json"_s},
      {{u"assign"_s, u"1"_s, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}, 2, u"map assign: oczekiwano argumentów"_s},
      {{u"assign"_s, u"1"_s, u"2"_s, u"--kind"_s, u"BILS"_s}, 2, u"map assign wymaga opcji --kind i --side"_s},
      {{u"assign"_s, u"x"_s, u"2"_s, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}, 2, u"ID_BILPOZ: oczekiwano liczby"_s},
      {{u"skip"_s, u"1"_s, u"--kind"_s, u"BILS"_s, u"--side"_s, u"A"_s}, 2, u"map skip nie przyjmuje opcji --side"_s},
      {{u"skip"_s, u"999999"_s, u"--kind"_s, u"BILS"_s}, 1, u"Brak pozycji 999999 rodzaju BILS w bilansach roku 2014."_s},
  };
  for (const UsageCase& c : cases) {
    const test::CliResult r = c.args.isEmpty() ? test::runWertaloCli(dir_->filePath(u"config"_s), {u"map"_s})
                                               : map(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
    EXPECT_TRUE((c.exitCode == 0 || c.args.isEmpty() ? r.out : r.err).startsWith(c.start))
        << c.args.join(u' ').toStdString() << ": " << r.out.toStdString() << r.err.toStdString();
  }
}

}  // namespace
}  // namespace wertalo
