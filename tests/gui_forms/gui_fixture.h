// GUI form tests: an application without a screen, an installation with a small database and
// a session on it, and reading the forms' controls by their names.
#pragma once

#include <QCheckBox>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "catalogue/fixture.h"
#include "core/operations/session.h"
#include "mapping/mapping_fixture.h"
#include "support/installation.h"

namespace wertalo::test {

// The child of `form` with this object name and type; the test fails when there is none.
template <typename Widget>
Widget* control(QWidget& form, const QString& name) {
  auto* widget = form.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << "no control " << name.toStdString();
  return widget;
}

// Runs `action` once the next modal dialog runs its event loop (it must close the dialog).
void whenModal(std::function<void()> action);

class FormTest : public ::testing::Test {
 protected:
  // The calendar and the unit of 2014; rows for the test are added by `fill` before the
  // session is opened.
  void open(const std::function<void(MappingDb&)>& fill = {});
  // A session opened again, as at the program's next start.
  std::unique_ptr<operations::Session> reopen();

  TempInstallation install_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<operations::Session> session_;
};

}  // namespace wertalo::test
