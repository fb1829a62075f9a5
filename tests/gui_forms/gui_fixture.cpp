#include "gui_fixture.h"

#include <QApplication>
#include <QTimer>

namespace wertalo::test {

namespace {

// One application for the whole run, made before the first test.
class Application : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_gui_forms";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new Application);

}  // namespace

void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

void FormTest::open(const std::function<void(MappingDb&)>& fill) {
  {
    MappingDb rows(install_.connect());
    insertBaseRows(rows.connection(), {QStringLiteral("14")});
    if (fill) fill(rows);
  }
  session_ = install_.open(ui_);
  session_->choose({.kind = catalogue::teBilanse});
}

std::unique_ptr<operations::Session> FormTest::reopen() { return install_.open(ui_); }

}  // namespace wertalo::test
