// The mapping form: the automatic mapping of a first showing and its message, the kind and side
// shown, the status column after each button, and the wizard's entry.
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "core/mapping/bil_map_to_bestia.h"
#include "gui/forms.h"
#include "gui/forms/mapping_form.h"
#include "gui_fixture.h"

namespace wertalo::gui {
namespace {

using namespace Qt::StringLiterals;
using test::Bestia;
using test::control;
using test::Pos;

// The budget's sheet (both sides), a consolidated and a budget units' position, and the
// Besti@ positions that match all but "Suma aktywów" and the budget units' position.
void addPositions(test::MappingDb& rows) {
  rows.add(std::vector<Pos>{
      {1, u"BILB"_s, u"A"_s, u"I. Środki pieniężne"_s},
      {2, u"BILB"_s, u"A"_s, u"1. Środki na rachunkach budżetu"_s, 1},
      {3, u"BILB"_s, u"A"_s, u"Suma aktywów"_s},
      {4, u"BILB"_s, u"P"_s, u"I. Zobowiązania"_s},
      {11, u"BILS"_s, u"A"_s, u"A. Aktywa trwałe"_s},
      {21, u"BILJ"_s, u"A"_s, u"A. Aktywa trwałe"_s},
  });
  rows.add(std::vector<Bestia>{
      {601, u"BILB"_s, u"A"_s, u"I"_s, u"Środki pieniężne"_s},
      {602, u"BILB"_s, u"A"_s, u"I.1"_s, u"Środki na rachunkach"_s},
      {603, u"BILB"_s, u"P"_s, u"I"_s, u"Zobowiązania"_s},
      {604, u"BILS"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s},
  });
}

const QString kMapped =
    u"UWAGA! Program dokonał automatycznego przypisania pozycji bilansów do odpowiednich pozycji programu Bestia."_s;

class MappingForm : public test::FormTest {
 protected:
  // The installation with the positions; `more` adds rows.
  void start(const std::function<void(test::MappingDb&)>& more = {}) {
    open([&](test::MappingDb& rows) {
      addPositions(rows);
      if (more) more(rows);
    });
    form_ = std::make_unique<TfrmBilMapToBestia>(*session_);
  }
  void TearDown() override { form_.reset(); }

  QTableView* grid() { return control<QTableView>(*form_, u"DBGrid1"_s); }
  QComboBox* lookup() { return control<QComboBox>(*form_, u"RxDBLookupCombo1"_s); }
  // The grid as "NAZWA | Symbol | <> | S. Bestia" lines.
  QStringList shownRows() {
    QAbstractItemModel* model = grid()->model();
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < 4; ++c) cells << model->index(r, c).data().toString();
      out << cells.join(u" | "_s);
    }
    return out;
  }
  // The texts of the Besti@ choices.
  QStringList choices() {
    QStringList out;
    for (int i = 0; i < lookup()->count(); ++i) out << lookup()->itemText(i);
    return out;
  }
  void click(const QString& button) { control<QPushButton>(*form_, button)->click(); }
  // The user moves the grid to a row.
  void moveTo(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
  // The user chooses a Besti@ position in the lookup combo.
  void chooseBestia(qint64 id) {
    const int index = lookup()->findData(id);
    ASSERT_GE(index, 0) << id;
    lookup()->setCurrentIndex(index);
    emit lookup()->activated(index);
  }
  // The user picks a kind in the combo box or a side in the radio group.
  void chooseKind(int item) {
    auto* kinds = control<QComboBox>(*form_, u"cbRodzajeBilansow"_s);
    kinds->setCurrentIndex(item);
    emit kinds->activated(item);
  }
  void chooseSide(int item) { control<QRadioButton>(*form_, u"rgAP_"_s + QString::number(item))->click(); }
  QStringList mapRows() { return test::MappingDb(install_.connect()).mapRows(); }

  std::unique_ptr<TfrmBilMapToBestia> form_;
};

// The first showing maps automatically before the grid is filled, and tells how many positions
// it could not match only when there are any.
TEST_F(MappingForm, TheFirstShowingMapsAutomaticallyAndTellsWhatWasLeft) {
  start();
  form_->show();
  EXPECT_EQ(ui_.messages(),
            QStringList{kMapped + u" Program nie mógł dopasować 2 pozycji. Koniecznie sprawdź poprawność mapowania na "
                                  u"formatce przypisywania pozycji bilansu!!"_s});
  EXPECT_EQ(mapRows(), (QStringList{u"BILB 1 601"_s, u"BILB 2 602"_s, u"BILB 3 0"_s, u"BILB 4 603"_s,
                                    u"BILJ 21 0"_s, u"BILS 11 604"_s}));
  EXPECT_EQ(shownRows(), (QStringList{u"I. Środki pieniężne | I | <> | I"_s,
                                      u"1. Środki na rachunkach budżetu | I.1 | <> | I.1"_s,
                                      u"Suma aktywów |  | ? | "_s}));
  EXPECT_EQ(choices(), (QStringList{u"I  Środki pieniężne"_s, u"I.1  Środki na rachunkach"_s}));
  EXPECT_EQ(lookup()->currentData().toLongLong(), 601);  // the first position's Besti@ position
}

TEST_F(MappingForm, AFirstShowingThatMatchesEverythingTellsNoCount) {
  start([](test::MappingDb& rows) {
    rows.add(std::vector<Bestia>{{605, u"BILB"_s, u"A"_s, u" "_s, u"Suma aktywów razem"_s},
                                 {606, u"BILJ"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s}});
  });
  form_->show();
  EXPECT_EQ(ui_.messages(), QStringList{kMapped});
}

// Once a position of the unit has a Besti@ position no mapping runs and nothing is said; the
// position the grid stands on gets its 0 row.
TEST_F(MappingForm, ALaterShowingNeitherMapsNorTells) {
  start([](test::MappingDb& rows) { rows.map(u"BILS"_s, 11, 604); });
  form_->show();
  EXPECT_TRUE(ui_.messages().isEmpty());
  EXPECT_EQ(mapRows(), (QStringList{u"BILB 1 0"_s, u"BILS 11 604"_s}));
  EXPECT_EQ(lookup()->currentIndex(), -1);
}

TEST_F(MappingForm, BudgetUnitAssignmentsAloneDoNotCountAsMapped) {
  start([](test::MappingDb& rows) {
    rows.add(std::vector<Bestia>{{606, u"BILJ"_s, u"A"_s, u"A"_s, u"Aktywa trwałe"_s}});
    rows.map(u"BILJ"_s, 21, 606);
  });
  form_->show();
  EXPECT_EQ(ui_.messages().size(), 1);
  EXPECT_TRUE(ui_.messages().front().startsWith(kMapped));
}

// "Nie przypisuj" shows "-", "Usuń przypisanie" "?", a real assignment "<>"; the grid stays on
// the position.
TEST_F(MappingForm, TheButtonsChangeTheCurrentPositionAndItsStatus) {
  start();
  form_->show();
  moveTo(1);
  struct Step {
    QString button;
    qint64 chosen;  // the Besti@ position chosen first; 0: none
    QString row;
    QString stored;
  };
  const Step steps[] = {
      {u"btnNiePrzypisuj"_s, 0, u"1. Środki na rachunkach budżetu | I.1 | - | "_s, u"BILB 2 -1"_s},
      {u"btnUsunPrzypisanie"_s, 0, u"1. Środki na rachunkach budżetu | I.1 | ? | "_s, u"BILB 2 0"_s},
      {u"btnPrzypiszPozycje"_s, 602, u"1. Środki na rachunkach budżetu | I.1 | <> | I.1"_s, u"BILB 2 602"_s},
  };
  for (const Step& step : steps) {
    if (step.chosen) chooseBestia(step.chosen);
    click(step.button);
    EXPECT_EQ(shownRows().at(1), step.row) << step.button.toStdString();
    EXPECT_TRUE(mapRows().contains(step.stored)) << step.button.toStdString();
    EXPECT_EQ(grid()->currentIndex().row(), 1) << step.button.toStdString();
  }
  EXPECT_TRUE(ui_.messages().size() == 1);  // only the first showing's
}

TEST_F(MappingForm, ABestiaPositionHeldByAnotherPositionIsRefused) {
  start();
  form_->show();
  ui_ = {};
  moveTo(1);
  chooseBestia(601);  // held by position 1
  click(u"btnPrzypiszPozycje"_s);
  EXPECT_EQ(ui_.messages(), QStringList{mapping::kPozycjaJuzPrzypisana});
  EXPECT_TRUE(mapRows().contains(u"BILB 2 602"_s));
  EXPECT_TRUE(mapRows().contains(u"BILB 1 601"_s));
  EXPECT_EQ(shownRows().at(1), u"1. Środki na rachunkach budżetu | I.1 | <> | I.1"_s);
}

// The grid and the Besti@ choices follow the kind and the side.
TEST_F(MappingForm, TheKindAndSideChooseThePositionsAndTheChoices) {
  start();
  form_->show();
  chooseKind(1);
  EXPECT_EQ(shownRows(), QStringList{u"A. Aktywa trwałe | A | <> | A"_s});
  EXPECT_EQ(choices(), QStringList{u"A  Aktywa trwałe"_s});
  chooseSide(1);
  EXPECT_TRUE(shownRows().isEmpty());
  EXPECT_TRUE(choices().isEmpty());
  chooseKind(0);
  EXPECT_EQ(shownRows(), QStringList{u"I. Zobowiązania | I | <> | I"_s});
  EXPECT_EQ(choices(), QStringList{u"I  Zobowiązania"_s});
  chooseKind(2);
  chooseSide(0);
  EXPECT_EQ(shownRows(), QStringList{u"A. Aktywa trwałe | A | ? | "_s});
  const auto& module = session_->mapping();
  EXPECT_EQ(module.TypSpr, mapping::tsBILJ);
  EXPECT_EQ(module.AktywaPasywa, mapping::apAktywa);
}

// "Przypisz automatycznie" fills only the positions at 0; "Usuń wszystkie przypisania" writes 0
// for every position shown and nothing for the others.
TEST_F(MappingForm, AutomaticMappingFillsOnlyEmptyPositionsAndClearingAllOnlyTheShown) {
  start();
  form_->show();
  moveTo(0);
  click(u"btnNiePrzypisuj"_s);
  moveTo(1);
  click(u"btnUsunPrzypisanie"_s);
  click(u"btnPrzypiszAutomatycznie"_s);
  EXPECT_EQ(shownRows().mid(0, 2), (QStringList{u"I. Środki pieniężne | I | - | "_s,
                                                u"1. Środki na rachunkach budżetu | I.1 | <> | I.1"_s}));
  EXPECT_EQ(ui_.messages().size(), 1);  // the count of the button's mapping is not shown

  click(u"btnUsunWszystkie"_s);
  EXPECT_EQ(mapRows(), (QStringList{u"BILB 1 0"_s, u"BILB 2 0"_s, u"BILB 3 0"_s, u"BILB 4 603"_s,
                                    u"BILJ 21 0"_s, u"BILS 11 604"_s}));
  for (const QString& row : shownRows()) EXPECT_TRUE(row.contains(u" | ? | "_s)) << row.toStdString();
}

// The kind and side stay as the user left them between showings, and the grid shows them.
TEST_F(MappingForm, TheKindAndSideKeptBetweenShowingsAreTheOnesShown) {
  start();
  form_->show();
  chooseKind(1);
  form_->hide();
  form_->show();
  EXPECT_EQ(control<QComboBox>(*form_, u"cbRodzajeBilansow"_s)->currentIndex(), 1);
  EXPECT_EQ(shownRows(), QStringList{u"A. Aktywa trwałe | A | <> | A"_s});
  EXPECT_EQ(session_->mapping().TypSpr, mapping::tsBILS);
}

TEST_F(MappingForm, TheWizardsEntryShowsTheFormModallyAndKeepsIt) {
  start();
  QWidget wizard;
  TfrmBilMapToBestia* shown = nullptr;
  auto close = [&] {
    shown = wizard.findChild<TfrmBilMapToBestia*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), u"Przypisanie do pozycji bilansu w programie Bestia"_s);
    control<QPushButton>(*shown, u"BitBtn1"_s)->click();
  };
  test::whenModal(close);
  showMappingForm(&wizard, *session_);
  TfrmBilMapToBestia* first = shown;
  test::whenModal(close);
  showMappingForm(&wizard, *session_);
  EXPECT_EQ(shown, first);
  EXPECT_EQ(ui_.messages().size(), 1);  // mapped at the first showing only
}

}  // namespace
}  // namespace wertalo::gui
