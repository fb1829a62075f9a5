// STAND-IN, to be replaced when the settings form (TfrmParams), the mapping form
// (TfrmBilMapToBestia) and the export-side balance-position view land: the wizard calls only the
// functions of forms.h, so their real implementations take this file's place.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

#include <vector>

#include "gui/dialogs.h"
#include "gui/forms.h"

namespace wertalo::gui {

void showSettingsForm(QWidget* parent, operations::Session& session) {
  // Stand-in: one control per stored value; "Zapisz" stores them.
  platform::Settings settings = session.settings();
  QDialog form(parent);
  form.setWindowTitle(QStringLiteral("Ustawienia"));
  auto* layout = new QFormLayout(&form);
  std::vector<std::pair<const platform::SettingDefinition*, QWidget*>> controls;
  for (const platform::SettingDefinition& definition : platform::settingDefinitions()) {
    const QString name = QString::fromLatin1(definition.key).section(QLatin1Char('.'), 0, 0);
    QWidget* control = nullptr;
    if (definition.type == platform::SettingDefinition::Type::Text) {
      control = new QLineEdit(settings.*definition.text, &form);
    } else {
      auto* box = new QCheckBox(&form);
      box->setChecked(settings.*definition.flag);
      control = box;
    }
    control->setObjectName(name);
    layout->addRow(name, control);
    controls.emplace_back(&definition, control);
  }
  auto* buttons = new QDialogButtonBox(&form);
  buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
  layout->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
  if (form.exec() != QDialog::Accepted) return;
  for (const auto& [definition, control] : controls) {
    if (definition->type == platform::SettingDefinition::Type::Text)
      settings.*definition->text = static_cast<QLineEdit*>(control)->text();
    else
      settings.*definition->flag = static_cast<QCheckBox*>(control)->isChecked();
  }
  try {
    session.saveSettings(settings);
  } catch (const Error& error) {
    QMessageBox::critical(parent, errorTitle(error.kind()), error.message());
  }
}

void showMappingForm(QWidget* parent, operations::Session&) {
  // Stand-in until the mapping form lands.
  QMessageBox::information(parent, QStringLiteral("Przypisanie do pozycji bilansu w programie Bestia"),
                           QStringLiteral("Przypisania pozycji bilansów zmienia polecenie wertalo-cli map."));
}

void showBalancePositions(QTableWidget* grid, operations::Session&, const catalogue::SelectRow*, int) {
  // Stand-in until the export-side view lands: no positions are shown.
  grid->setRowCount(0);
}

}  // namespace wertalo::gui
