#include "gui/welcome_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "core/version.h"
#include "gui/forms.h"
#include "gui/reports_page.h"
#include "gui/widgets.h"

namespace wertalo::gui {

using catalogue::rJB;
using catalogue::rJST;

WelcomePage::WelcomePage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("JvWizardWelcomePage1"), QStringLiteral("Eksport danych do systemu Bestia"),
                 QStringLiteral("Wybierz odpowiednie dane i zaznacz odpowiednie opcje w celu eksportu danych do systemu "
                                "Bestia")),
      rbEksportSpraw(named<QRadioButton>(this, "rbEksportSpraw", QStringLiteral("Eksport &sprawozdań"))),
      rbEksportBilansow(named<QRadioButton>(this, "rbEksportBilansow", QStringLiteral("Eksport &bilansów"))),
      rgRodzaj(new RadioGroup(QStringLiteral("rgRodzaj"), QString(), {QStringLiteral("Budżet JST"), QStringLiteral("Budżet JB")}, 2, this)),
      rgWyborJednostek(new RadioGroup(QStringLiteral("rgWyborJednostek"), QStringLiteral("Jednostki"),
                                      {QStringLiteral("jedna"), QStringLiteral("wiele jednostek")}, 2, this)),
      lcJB(named<QComboBox>(this, "lcJB")),
      gridJB(named<QTableWidget>(this, "gridJB")),
      lcRok(named<QComboBox>(this, "lcRok")),
      lcOkres(named<QComboBox>(this, "lcOkres")),
      lblNazwa(named<QLabel>(this, "lblNazwa")),
      o(named<QTableView>(this, "o")),
      DBMemo1(readOnlyMemo(this, "DBMemo1", false)),
      btnPokazMapowanieDoBestia(named<QPushButton>(this, "btnPokazMapowanieDoBestia",
                                                   QStringLiteral("Pokaż przypisania do pozycji bilansów w programie Bestia"))),
      btnUstawienia(named<QPushButton>(this, "btnUstawienia", QStringLiteral("&Ustawienia"))),
      Button1(named<QPushButton>(this, "Button1", QStringLiteral("Button1"))),
      Label2(named<QLabel>(this, "Label2", QStringLiteral("Wersja ") + QString::fromLatin1(kVersion))),
      model_(new SelectionModel(frm.session().selection(),
                                {SelectionColumn::sNazwa, SelectionColumn::sNazwaCzesc, SelectionColumn::sWersja,
                                 SelectionColumn::sStatus, SelectionColumn::cData, SelectionColumn::CZAST},
                                QStringLiteral("Sprawozdanie"), this)) {
  rbEksportSpraw->setChecked(true);
  rgRodzaj->setItemIndex(0);
  rgWyborJednostek->setItemIndex(0);
  rgWyborJednostek->hide();
  lcJB->hide();
  lcJB->setMaxVisibleItems(20);
  lcRok->setMaxVisibleItems(15);
  gridJB->hide();
  gridJB->setColumnCount(2);
  gridJB->setHorizontalHeaderLabels({QStringLiteral("ID_JB"), QStringLiteral("NAZWA")});
  gridJB->setEditTriggers(QAbstractItemView::NoEditTriggers);
  gridJB->setSelectionBehavior(QAbstractItemView::SelectRows);
  gridJB->horizontalHeader()->setStretchLastSection(true);
  showTable(o, model_, 0);
  btnPokazMapowanieDoBestia->hide();
  Button1->hide();

  auto* kindRow = new QHBoxLayout;
  kindRow->addWidget(rbEksportSpraw);
  kindRow->addWidget(rbEksportBilansow);
  kindRow->addStretch();
  auto* unitRow = new QHBoxLayout;
  unitRow->addWidget(rgRodzaj);
  unitRow->addWidget(rgWyborJednostek);
  auto* period = new QFormLayout;
  period->addRow(buddy(this, QStringLiteral("&Rok budż:"), lcRok), lcRok);
  period->addRow(buddy(this, QStringLiteral("&Okres:"), lcOkres), lcOkres);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnPokazMapowanieDoBestia);
  buttons->addStretch();
  buttons->addWidget(Label2);
  buttons->addWidget(Button1);
  buttons->addWidget(btnUstawienia);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kindRow);
  layout->addLayout(unitRow);
  layout->addWidget(lcJB);
  layout->addWidget(gridJB);
  layout->addLayout(period);
  layout->addWidget(lblNazwa);
  layout->addWidget(o, 3);
  layout->addWidget(buddy(this, QStringLiteral("Uwagi do sprawozdania:"), DBMemo1));
  layout->addWidget(DBMemo1, 1);
  layout->addLayout(buttons);

  connect(rbEksportSpraw, &QRadioButton::toggled, this, [this](bool on) { if (on) kindClick(true); });
  connect(rbEksportBilansow, &QRadioButton::toggled, this, [this](bool on) { if (on) kindClick(false); });
  connect(rgRodzaj, &RadioGroup::itemClicked, this, &WelcomePage::rgRodzajClick);
  connect(rgWyborJednostek, &RadioGroup::itemClicked, this, [this] { rgWyborJednostekClick(); });
  connect(lcJB, &QComboBox::activated, this, [this](int i) {
    rebuild([&] {
      frm.session().chooseBudgetUnit(lcJB->itemData(i).toLongLong());
      frm.session().setKind(kind());
    }, false);
  });
  connect(gridJB, &QTableWidget::cellDoubleClicked, this, [this](int row) { gridJBDoubleClick(row); });
  connect(lcRok, &QComboBox::activated, this,
          [this](int i) { rebuild([&] { frm.session().chooseYear(lcRok->itemData(i).toString()); }, true); });
  connect(lcOkres, &QComboBox::activated, this,
          [this](int i) { rebuild([&] { frm.session().choosePeriod(lcOkres->itemData(i).toString()); }, true); });
  connect(o->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    const catalogue::SelectRow* row = model_->report(current.row());
    DBMemo1->setPlainText(row != nullptr ? row->Uwagi : QString());
  });
  connect(btnPokazMapowanieDoBestia, &QPushButton::clicked, this, [this] { showMappingForm(this, frm.session()); });
  connect(btnUstawienia, &QPushButton::clicked, this, [this] { frm.showSettings(); });
  connect(Button1, &QPushButton::clicked, this, &WelcomePage::Button1Click);
}

catalogue::TTypEksportu WelcomePage::kind() const {
  return rbEksportSpraw->isChecked() ? catalogue::teSprawozdania : catalogue::teBilanse;
}

void WelcomePage::rebuild(const std::function<void()>& change, bool withChosenUnits) {
  frm.guard([&] {
    change();
    frm.session().refreshSelection(withChosenUnits);
  });
  showChoice();
  showSelection();
}

void WelcomePage::kindClick(bool reports) {
  btnPokazMapowanieDoBestia->setVisible(!reports);
  lcOkres->setEnabled(reports);  // balance sheets are yearly
  rebuild([&] { frm.session().setKind(kind()); }, reports);
}

void WelcomePage::rgRodzajClick(int item) {
  const bool budgetUnits = item == 1;
  rebuild([&] {
    frm.session().setUnitKind(budgetUnits ? rJB : rJST);
    rgWyborJednostek->setVisible(budgetUnits);
    rgWyborJednostekClick();
    frm.session().setKind(kind());
  }, false);
}

void WelcomePage::rgWyborJednostekClick() {
  lcJB->hide();
  gridJB->hide();
  if (rgRodzaj->itemIndex() == 0) return;
  if (rgWyborJednostek->itemIndex() == 1) {
    gridJB->show();
  } else {
    lcJB->show();
    frm.session().chooseBudgetUnit(frm.session().unit().ID_JB);  // the several units chosen are cleared
  }
}

void WelcomePage::gridJBDoubleClick(int row) {
  const QTableWidgetItem* id = gridJB->item(row, 0);
  if (id == nullptr) return;
  rebuild([&] { frm.session().toggleBudgetUnit(id->data(Qt::UserRole).toLongLong()); }, true);
}

void WelcomePage::showChoice() {
  operations::Session& session = frm.session();
  const catalogue::MemMain& unit = session.unit();
  lcRok->clear();
  for (const QString& rok : session.years()) lcRok->addItem(QStringLiteral("20") + rok, rok);
  lcRok->setCurrentIndex(lcRok->findData(unit.ROK));
  lcOkres->clear();
  for (const operations::PeriodItem& period : session.periods()) {
    lcOkres->addItem(period.name, period.code);
    if (period.chosen) lcOkres->setCurrentIndex(lcOkres->count() - 1);
  }
  lcJB->clear();
  gridJB->setRowCount(0);
  for (const operations::BudgetUnitItem& jb : session.budgetUnits()) {
    lcJB->addItem(jb.name, jb.id);
    const int row = gridJB->rowCount();
    gridJB->insertRow(row);
    auto* id = new QTableWidgetItem(QString::number(jb.id));
    id->setData(Qt::UserRole, jb.id);
    gridJB->setItem(row, 0, id);
    gridJB->setItem(row, 1, new QTableWidgetItem(jb.name));
    // The units chosen stand out in lime.
    const QBrush background = session.budgetUnitChosen(jb.id) ? QBrush(QColor(0, 255, 0)) : QBrush();
    for (int column = 0; column < 2; ++column) gridJB->item(row, column)->setBackground(background);
  }
  lcJB->setCurrentIndex(lcJB->findData(unit.ID_JB));
  lblNazwa->setText(QStringLiteral("Nazwa JST ") + unit.NAZWA + QStringLiteral(" Kod GUS ") + unit.WK + unit.PK + unit.GK +
                    unit.GT + unit.PT + QStringLiteral(" TYP ") + unit.TYP);
}

void WelcomePage::showSelection() {
  model_->reload();
  o->setCurrentIndex(model_->index(0, 0));
  if (model_->rowCount() == 0) DBMemo1->clear();
  emit completeChanged();
}

bool WelcomePage::isComplete() const { return model_->rowCount() > 0; }

void WelcomePage::Button1Click() {
  // Test of the command-line start with a fixed list.
  frm.bZamianStronyAutomatyczna = true;
  rgRodzaj->setItemIndex(1);
  rgRodzajClick(1);
  frm.next();
  frm.guard([&] { frm.session().selectReports(QStringLiteral("226444,226726,")); });
  frm.reports->showSelection();
  frm.bZamianStronyAutomatyczna = false;
}

}  // namespace wertalo::gui
