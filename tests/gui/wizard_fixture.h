// Wizard tests: a demo installation in a temporary folder and the wizard opened on it.
#pragma once

#include <QAbstractButton>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "gui/wertalo_wizard.h"
#include "recording_dialogs.h"
#include "support/qt_printers.h"

namespace wertalo::test {

// A city with two budget units (the demo installation), its settings and "FtpHost.ini" in a
// folder of their own; `open` starts the wizard on it as the program does.
class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the installation and the wizard with the command line, and shows the wizard.
  gui::TfrmWertalo& open(const gui::WizardCommandLine& commandLine = {});
  // A click on Next; the page the wizard is on afterwards.
  int next();
  // Goes from the start to the completion page with every report ticked (one export).
  void exportAll();

  // The export folder and the files in it (names, sorted).
  QString exportFolder() const;
  QStringList exportedFiles(const QString& pattern = QStringLiteral("*")) const;
  // Identifiers of the reports of the table (SPRAWOZD or JBSPRAWOZD) that have a sending date.
  std::vector<qint64> datedReports(const QString& table = QStringLiteral("SPRAWOZD")) const;
  // Identifiers of the approved budget units' reports (no balance sheets) of the period of the
  // newest report, in order (read before `open`).
  std::vector<qint64> latestBudgetUnitReports();
  // Changes one key of the product's configuration file (before `open`).
  void setConfigKey(const QString& key, const QString& value) const;

  QTemporaryDir root_;
  demo::DemoInstallation demo_;
  QString settingsFile_;
  QString ftpHostFile_;
  RecordingDialogs dialogs_;
  std::unique_ptr<operations::Session> session_;
  std::unique_ptr<gui::TfrmWertalo> wizard_;
};

// The radio button of a group's item (named after the group and the item's index).
QAbstractButton* radio(const QWidget* group, int item);

// The text of a page's control found by its name.
QString textOf(const QWidget& parent, const char* name);

}  // namespace wertalo::test
