#include "gui/forms/mapping_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

#include "core/mapping/bil_map_to_bestia.h"
#include "core/operations/session.h"
#include "gui/forms/form_support.h"
#include "gui/forms/positions_model.h"

namespace wertalo::gui {

using namespace Qt::StringLiterals;
using mapping::TdtmBilMapToBestia;

namespace {

// The kinds of the combo box in its order, and the sides of the radio group in theirs.
const mapping::TTypSpr kKinds[] = {mapping::tsBILB, mapping::tsBILS, mapping::tsBILJ};
const mapping::TAktywaPasywa kSides[] = {mapping::apAktywa, mapping::apPasywa};

// The buttons below the grid: name, caption, command (none: the form closes).
struct Button {
  const char* name;
  QString caption;
  std::function<void(TdtmBilMapToBestia&)> action;
};

QPushButton* addButton(QBoxLayout* row, QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  row->addWidget(button);
  return button;
}

}  // namespace

QString automaticMappingMessage(int unmatched) {
  QString text =
      u"UWAGA! Program dokonał automatycznego przypisania pozycji bilansów do odpowiednich pozycji programu Bestia."_s;
  if (unmatched > 0) {
    text += u" Program nie mógł dopasować "_s + QString::number(unmatched) +
            u" pozycji. Koniecznie sprawdź poprawność mapowania na formatce przypisywania pozycji bilansu!!"_s;
  }
  return text;
}

TfrmBilMapToBestia::TfrmBilMapToBestia(operations::Session& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName(u"frmBilMapToBestia"_s);
  setWindowTitle(u"Przypisanie do pozycji bilansu w programie Bestia"_s);
  resize(742, 469);

  auto* Label1 = new QLabel(u"Pokaż przypisania dla:"_s, this);
  Label1->setObjectName(u"Label1"_s);
  cbRodzajeBilansow_ = new QComboBox(this);
  cbRodzajeBilansow_->setObjectName(u"cbRodzajeBilansow"_s);
  cbRodzajeBilansow_->addItems({u"Bilans budżetu"_s, u"Bilans skonsolidowany"_s, u"Bilans jednostkowy/łączny"_s});
  rgAP_ = new RadioGroup(u"rgAP"_s, QString(), {u"Aktywa"_s, u"Pasywa"_s}, 2, this);
  rgAP_->setItemIndex(0);

  positions_ = new PositionsModel(this);
  DBGrid1_ = new QTableView(this);
  DBGrid1_->setObjectName(u"DBGrid1"_s);
  DBGrid1_->setModel(positions_);
  DBGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
  DBGrid1_->verticalHeader()->hide();
  DBGrid1_->horizontalHeader()->setStretchLastSection(true);
  DBGrid1_->setColumnWidth(PositionsModel::NAZWA, 260);
  DBGrid1_->setColumnWidth(PositionsModel::sMapStatus, 30);

  auto* Label2 = new QLabel(u"Wskaż pozycję z programu Bestia:"_s, this);
  Label2->setObjectName(u"Label2"_s);
  RxDBLookupCombo1_ = new QComboBox(this);
  RxDBLookupCombo1_->setObjectName(u"RxDBLookupCombo1"_s);
  RxDBLookupCombo1_->setMaxVisibleItems(8);
  RxDBLookupCombo1_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

  auto* top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addWidget(cbRodzajeBilansow_);
  top->addWidget(rgAP_);
  top->addStretch();
  auto* choice = new QHBoxLayout;
  choice->addWidget(Label2);
  choice->addWidget(RxDBLookupCombo1_, 1);
  auto* buttons = new QHBoxLayout;
  const Button commands[] = {
      {"btnPrzypiszPozycje", u"Przypisz pozycję"_s,
       [](TdtmBilMapToBestia& m) { m.EkspPrzypiszAktPozycje(m.memBilBestiaMap.ID_POZBESTIA, true, true); }},
      {"btnNiePrzypisuj", u"Nie przypisuj"_s, [](TdtmBilMapToBestia& m) { m.EkspPrzypiszAktPozycje(-1, true, false); }},
      {"btnUsunPrzypisanie", u"Usuń przypisanie"_s,
       [](TdtmBilMapToBestia& m) { m.EkspPrzypiszAktPozycje(0, true, false); }},
      {"btnUsunWszystkie", u"Usuń wszystkie przypisania"_s, [](TdtmBilMapToBestia& m) { m.EkspUsunMapowania(); }},
      {"btnPrzypiszAutomatycznie", u"Przypisz automatycznie"_s,
       [](TdtmBilMapToBestia& m) { m.EkspMapujAutomatycznie(); }},
  };
  for (const Button& b : commands) {
    QPushButton* button = addButton(buttons, this, b.name, b.caption);
    connect(button, &QPushButton::clicked, this, [this, action = b.action] { command(action); });
  }
  buttons->addStretch();
  connect(addButton(buttons, this, "BitBtn1", u"&Zamknij"_s), &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(DBGrid1_, 1);
  layout->addLayout(choice);
  layout->addLayout(buttons);

  connect(cbRodzajeBilansow_, &QComboBox::activated, this, [this] { guarded(session_.ui(), [this] { chooseShown(); }); });
  connect(rgAP_, &RadioGroup::itemClicked, this, [this] { guarded(session_.ui(), [this] { chooseShown(); }); });
  connect(DBGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) guarded(session_.ui(), [&] { currentRowChanged(current.row()); });
          });
  connect(RxDBLookupCombo1_, &QComboBox::activated, this, [this](int index) {
    guarded(session_.ui(),
            [&] { module().memBilBestiaMap.ID_POZBESTIA = RxDBLookupCombo1_->itemData(index).toLongLong(); });
  });
}

TdtmBilMapToBestia& TfrmBilMapToBestia::module() const { return session_.mapping(); }

void TfrmBilMapToBestia::showEvent(QShowEvent* event) {
  guarded(session_.ui(), [this] { FormShow(); });
  QDialog::showEvent(event);
}

void TfrmBilMapToBestia::FormShow() {
  TdtmBilMapToBestia& m = module();
  m.EkspSetMapFilter(mapping::tsRazem, mapping::apRazem);
  if (!m.EkspByloMapowanie()) session_.ui().showMessage(automaticMappingMessage(m.EkspMapujAutomatycznie()));
  m.qryS_BilBestia().open(m.period().DATAKONCAOKRESU);
  // The grid shows what the combo box and the radio group say, also when they kept another
  // kind or side from an earlier showing.
  chooseShown();
}

void TfrmBilMapToBestia::chooseShown() {
  TdtmBilMapToBestia& m = module();
  m.AktywaPasywa = kSides[qMax(rgAP_->itemIndex(), 0)];
  m.TypSpr = kKinds[qMax(cbRodzajeBilansow_->currentIndex(), 0)];
  m.EkspSetMapFilter(m.TypSpr, m.AktywaPasywa);
  showLists();
}

void TfrmBilMapToBestia::showLists() {
  TdtmBilMapToBestia& m = module();
  mapping::PositionQuery& list = m.srcQryBilPoz();
  const int row = list.active() ? list.data().recNo() : 0;
  positions_->reload(list);

  RxDBLookupCombo1_->clear();
  db::DataSet choices = m.qryS_BilBestiaLook().data;
  for (choices.first(); !choices.eof(); choices.next()) {
    RxDBLookupCombo1_->addItem(choices.text(u"SYMBOL") + u"  "_s + choices.text(u"NAZWA"),
                               choices.integer(u"ID_BILBESTIA"));
  }

  if (positions_->rowCount() == 0) {
    m.srcQryBilPozDataChange();
    RxDBLookupCombo1_->setCurrentIndex(-1);
    return;
  }
  const int shown = qMin(row, positions_->rowCount() - 1);
  {
    const QSignalBlocker quiet(DBGrid1_->selectionModel());
    DBGrid1_->setCurrentIndex(positions_->index(shown, 0));
  }
  currentRowChanged(shown);
}

void TfrmBilMapToBestia::currentRowChanged(int row) {
  TdtmBilMapToBestia& m = module();
  m.srcQryBilPoz().data().gotoBookmark(row);
  m.srcQryBilPozDataChange();
  RxDBLookupCombo1_->setCurrentIndex(RxDBLookupCombo1_->findData(m.memBilBestiaMap.ID_POZBESTIA));
}

void TfrmBilMapToBestia::command(const std::function<void(TdtmBilMapToBestia&)>& action) {
  guarded(session_.ui(), [&] {
    TdtmBilMapToBestia& m = module();
    const db::DataSet& rows = m.srcQryBilPoz().data();
    const std::optional<qint64> current =
        rows.eof() ? std::nullopt : std::optional<qint64>(rows.integer(u"ID_BILPOZ"));
    action(m);
    m.reopenList();
    if (current) m.srcQryBilPoz().data().locate(u"ID_BILPOZ"_s, *current);
    showLists();
  });
}

}  // namespace wertalo::gui
