// The two forms the wizard opens: one of each per parent, created at the first showing and kept.
#include "gui/forms.h"

#include <QPointer>

#include <exception>
#include <memory>

#include "core/operations/session.h"
#include "core/platform/settings.h"
#include "gui/forms/mapping_form.h"
#include "gui/forms/settings_form.h"
#include "gui/forms/form_support.h"

namespace wertalo::gui {

namespace {

// The form of this kind kept by `parent` for `session`, created when there is none (a form of
// another session is replaced). Without a parent the form lives for the one showing.
template <typename Form>
QPointer<Form> formFor(QWidget* parent, operations::Session& session, std::unique_ptr<Form>& owned) {
  if (parent) {
    for (Form* form : parent->findChildren<Form*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (&form->session() == &session) return form;
      delete form;
    }
    return new Form(session, parent);
  }
  owned = std::make_unique<Form>(session);
  return owned.get();
}

}  // namespace

void showSettingsForm(QWidget* parent, operations::Session& session) {
  std::unique_ptr<TfrmParams> owned;
  try {
    QPointer<TfrmParams> form = formFor(parent, session, owned);
    form->exec();
  } catch (const std::exception&) {
    session.ui().showMessage(platform::kSettingsReadError);
  }
}

void showMappingForm(QWidget* parent, operations::Session& session) {
  std::unique_ptr<TfrmBilMapToBestia> owned;
  guarded(session.ui(), [&] {
    QPointer<TfrmBilMapToBestia> form = formFor(parent, session, owned);
    form->exec();
  });
}

}  // namespace wertalo::gui
