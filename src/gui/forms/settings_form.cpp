#include "gui/forms/settings_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/operations/session.h"
#include "gui/forms/form_support.h"

namespace wertalo::gui {

using namespace Qt::StringLiterals;

namespace {

// The controls of the form in their order: a text edit with its label, or a check box with its
// caption. Their names are those of the stored values ("dirKatalog.Text" fills `dirKatalog`).
struct Control {
  const char* name;
  QString caption;
  bool checkBox;
};

const Control kControls[] = {
    {"dirKatalog", u"Katalog eksportu:"_s, false},
    {"edtSpecSymbl", u"Specjalny Symbol Pozabudżetowy"_s, false},
    {"chkDodajSpacje", u"Dodaj spacje"_s, true},
    {"chkEksportujZatw", u"Eksportuj tylko zatwierdzone sprawozdania"_s, true},
    {"cbSpakuj", u"Spakuj pliki"_s, true},
    {"cbPolaczZserweremFTP", u"Połącz automatycznie z serwerem FTP"_s, true},
    {"cbWsylijPopolaczeniu", u"Wyślij automatycznie"_s, true},
    {"cbStandardowe", u"Eksport bez dodatkowych pól ( w formicie BESTII)"_s, true},
    {"cbUsun", u"Usuń pliki które zostały spakowane"_s, true},
    {"cbInterfejsftp", u"Interfejs FTP"_s, true},
    {"cbGrupoweJst", u"Eksportuj grupowe z danymi JST"_s, true},
};

// The control name of a stored value ("dirKatalog" of "dirKatalog.Text").
QString controlName(const platform::SettingDefinition& definition) {
  const QString key = QString::fromLatin1(definition.key);
  return key.left(key.indexOf(u'.'));
}

// A folder edit: the text, and a button in it that picks a folder.
QLineEdit* folderEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  QAction* browse = edit->addAction(parent->style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
  browse->setToolTip(u"Wskaż katalog"_s);
  QObject::connect(browse, &QAction::triggered, edit, [edit] {
    const QString folder = QFileDialog::getExistingDirectory(edit->window(), u"Katalog eksportu"_s, edit->text());
    if (!folder.isEmpty()) edit->setText(folder);
  });
  return edit;
}

}  // namespace

TfrmParams::TfrmParams(operations::Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName(u"frmParams"_s);
  setWindowTitle(u"Ustawienia"_s);

  auto* pnlMain = new QWidget(this);
  pnlMain->setObjectName(u"pnlMain"_s);
  auto* form = new QFormLayout(pnlMain);
  for (const Control& c : kControls) {
    const QString name = QString::fromLatin1(c.name);
    if (c.checkBox) {
      auto* box = new QCheckBox(c.caption, pnlMain);
      box->setObjectName(name);
      form->addRow(box);
    } else {
      QLineEdit* edit = name == u"dirKatalog"_s ? folderEdit(pnlMain) : new QLineEdit(pnlMain);
      edit->setObjectName(name);
      form->addRow(c.caption, edit);
    }
  }

  auto* pnlFooter = new QWidget(this);
  pnlFooter->setObjectName(u"pnlFooter"_s);
  auto* buttons = new QHBoxLayout(pnlFooter);
  auto* btnZapisz = new QPushButton(u"Zapisz"_s, pnlFooter);
  btnZapisz->setObjectName(u"btnZapisz"_s);
  auto* btnZamknij = new QPushButton(u"Zamknij"_s, pnlFooter);
  btnZamknij->setObjectName(u"btnZamknij"_s);
  btnZamknij->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(btnZapisz);
  buttons->addWidget(btnZamknij);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pnlMain);
  layout->addWidget(pnlFooter);

  connect(btnZapisz, &QPushButton::clicked, this, [this] { guarded(session_.ui(), [this] { Zapis(); }); });
  connect(btnZamknij, &QPushButton::clicked, this, &QDialog::reject);
  setValues(session_.settings());
}

platform::Settings TfrmParams::values() const {
  platform::Settings settings = session_.settings();
  for (const platform::SettingDefinition& d : platform::settingDefinitions()) {
    const QString name = controlName(d);
    if (d.type == platform::SettingDefinition::Type::Text) {
      settings.*d.text = findChild<QLineEdit*>(name)->text();
    } else {
      settings.*d.flag = findChild<QCheckBox*>(name)->isChecked();
    }
  }
  return settings;
}

void TfrmParams::setValues(const platform::Settings& settings) {
  for (const platform::SettingDefinition& d : platform::settingDefinitions()) {
    const QString name = controlName(d);
    if (d.type == platform::SettingDefinition::Type::Text) {
      findChild<QLineEdit*>(name)->setText(settings.*d.text);
    } else {
      findChild<QCheckBox*>(name)->setChecked(settings.*d.flag);
    }
  }
}

void TfrmParams::Odczyt() {
  platform::Settings settings = values();
  settings.Odczyt(session_.installation().PathBestia, session_.ui());
  setValues(settings);
}

void TfrmParams::Zapis() {
  session_.saveSettings(values());
  setValues(session_.settings());
}

void TfrmParams::done(int result) {
  session_.useSettings(values());
  QDialog::done(result);
}

void TfrmParams::showEvent(QShowEvent* event) {
  Odczyt();
  QDialog::showEvent(event);
}

}  // namespace wertalo::gui
