#include "gui/reports_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QVBoxLayout>

#include "core/text/amount.h"
#include "gui/forms.h"
#include "gui/widgets.h"

namespace wertalo::gui {

ReportsPage::ReportsPage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("JvWizardInteriorPage1"), QStringLiteral("Wskaż sprawozdania do eksportu"),
                 QStringLiteral("Oznacz w polu wyboru sprawozdania do wyeksportowania do programu Bestia. Zweryfikuj "
                                "poprawność przypisania bilansów do odpowiednich pozycji w programie Bestia")),
      OvcDbTable1(named<QTableView>(this, "OvcDbTable1")),
      chkZapiszPojedynczo(checkBox(this, "chkZapiszPojedynczo", QStringLiteral("Zapisz każde sprawozdanie w oddzielnym pliku"), true)),
      cbGrupoweJst(checkBox(this, "cbGrupoweJst", QStringLiteral("&Eksportuj grupowe z danymi JST"), true)),
      Button2(named<QPushButton>(this, "Button2", QStringLiteral("&Ustawienia"))),
      pnlPozBil(named<QWidget>(this, "pnlPozBil")),
      rgAP(new RadioGroup(QStringLiteral("rgAP"), QString(), {QStringLiteral("Aktywa"), QStringLiteral("Pasywa")}, 2, pnlPozBil)),
      dbgrBilanse(named<QTableWidget>(pnlPozBil, "dbgrBilanse")),
      DBMemo2(readOnlyMemo(this, "DBMemo2", false)),
      model_(new SelectionModel(frm.session().selection(),
                                {SelectionColumn::SELEKCJA, SelectionColumn::sNazwa, SelectionColumn::sNazwaCzesc,
                                 SelectionColumn::sWersja, SelectionColumn::sStatus, SelectionColumn::cData,
                                 SelectionColumn::podpisane, SelectionColumn::CZAST, SelectionColumn::ID_JB},
                                QStringLiteral("Nazwa sprawozdania"), this)) {
  showTable(OvcDbTable1, model_, 1);
  chkZapiszPojedynczo->setEnabled(false);
  rgAP->setItemIndex(0);
  dbgrBilanse->setColumnCount(4);
  dbgrBilanse->setHorizontalHeaderLabels({QStringLiteral("Symb. Bestia"), QStringLiteral("Pozycja bilansu"),
                                          QStringLiteral("Stan na pocz. roku"), QStringLiteral("Stan na kon. roku")});
  dbgrBilanse->setEditTriggers(QAbstractItemView::NoEditTriggers);
  dbgrBilanse->setWordWrap(false);
  dbgrBilanse->verticalHeader()->hide();
  dbgrBilanse->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  dbgrBilanse->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

  auto* panel = new QVBoxLayout(pnlPozBil);
  panel->setContentsMargins(0, 0, 0, 0);
  panel->addWidget(rgAP);
  panel->addWidget(dbgrBilanse);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(chkZapiszPojedynczo);
  boxes->addWidget(cbGrupoweJst);
  boxes->addStretch();
  boxes->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(OvcDbTable1, 3);
  layout->addLayout(boxes);
  layout->addWidget(pnlPozBil, 2);
  layout->addWidget(buddy(this, QStringLiteral("Uwagi do sprawozdania:"), DBMemo2));
  layout->addWidget(DBMemo2, 1);

  // Ticking many reports at once.
  OvcDbTable1->setContextMenuPolicy(Qt::ActionsContextMenu);
  const std::pair<const char*, void (ReportsPage::*)()> actions[] = {
      {"Zaznacz wszystkie", &ReportsPage::tickAll},
      {"Odznacz wszystkie", &ReportsPage::tickNone},
      {"Zaznacz tylko podpisane", &ReportsPage::tickSigned},
  };
  for (const auto& [caption, slot] : actions) {
    auto* action = new QAction(QString::fromUtf8(caption), OvcDbTable1);
    connect(action, &QAction::triggered, this, slot);
    OvcDbTable1->addAction(action);
  }

  connect(cbGrupoweJst, &QCheckBox::toggled, this,
          [this](bool on) { frm.changeOptions([on](catalogue::RunOptions& o) { o.cbGrupoweJst = on; }); });
  connect(chkZapiszPojedynczo, &QCheckBox::toggled, this,
          [this](bool on) { frm.changeOptions([on](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = on; }); });
  connect(Button2, &QPushButton::clicked, this, [this] { frm.showSettings(); });
  connect(rgAP, &RadioGroup::itemClicked, this, [this] { showPositions(); });
  connect(OvcDbTable1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    const catalogue::SelectRow* row = model_->report(current.row());
    DBMemo2->setPlainText(row != nullptr ? row->Uwagi : QString());
    showPositions();
  });
}

bool ReportsPage::prepare() {
  if (!frm.bZamianStronyAutomatyczna) frm.session().refreshSelection();
  return true;
}

void ReportsPage::initializePage() {
  pnlPozBil->setVisible(frm.session().kind() == catalogue::teBilanse);
  showSelection();
}

void ReportsPage::showSelection() {
  model_->reload();
  OvcDbTable1->setCurrentIndex(model_->index(0, 1));
  if (model_->rowCount() == 0) DBMemo2->clear();
  showPositions();
}

void ReportsPage::showPositions() {
  if (!pnlPozBil->isVisibleTo(this)) return;
  frm.guard([&] {
    operations::Session& session = frm.session();
    if (!positions_) positions_ = std::make_unique<operations::BalancePositions>(session);
    const mapping::TAktywaPasywa side = rgAP->itemIndex() == 1 ? mapping::apPasywa : mapping::apAktywa;
    if (side != side_) {
      side_ = side;
      positions_->EkspSetMapFilter(side);
    }
    const int row = OvcDbTable1->currentIndex().row();
    if (model_->report(row) != nullptr) {
      session.selection().setPosition(row);
      positions_->followSelection();
    }
    const std::vector<mapping::ExportPosition>& rows = positions_->rows();
    dbgrBilanse->setRowCount(positions_->active() ? static_cast<int>(rows.size()) : 0);
    for (int i = 0; i < dbgrBilanse->rowCount(); ++i) {
      const mapping::ExportPosition& position = rows[static_cast<size_t>(i)];
      const QString cells[] = {position.sBestiaSymbolCalc, position.NAZWA, text::amountText(position.SPOCZ),
                               text::amountText(position.SKON)};
      for (int column = 0; column < 4; ++column) dbgrBilanse->setItem(i, column, new QTableWidgetItem(cells[column]));
    }
  });
}

ReportsPage::~ReportsPage() = default;

void ReportsPage::tickAll() {
  model_->tickWhere([](const catalogue::SelectRow&) { return true; });
}

void ReportsPage::tickNone() {
  model_->tickWhere([](const catalogue::SelectRow&) { return false; });
}

void ReportsPage::tickSigned() {
  model_->tickWhere([](const catalogue::SelectRow& row) { return row.podpisane; });
}

}  // namespace wertalo::gui
