#include "gui/summary_page.h"

#include <QFileInfo>
#include <QVBoxLayout>

#include "core/base/error.h"
#include "core/catalogue/export_result.h"
#include "gui/export_progress.h"
#include "gui/widgets.h"

namespace wertalo::gui {

SummaryPage::SummaryPage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("wizPodsumowanie"), QStringLiteral("Podsumowanie"),
                 QStringLiteral("Sprawdź czy poprawnie wybrałeś parametry do eksportu i jeśli tak kliknij przycisk \"Dalej\"")),
      mInfo(readOnlyMemo(this, "mInfo", true)),
      cbStandardowe(checkBox(this, "cbStandardowe", QStringLiteral("&Eksport bez dodatkowych pól (w formacie BESTII)"), false)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mInfo);
  layout->addWidget(cbStandardowe);
  connect(cbStandardowe, &QCheckBox::toggled, this,
          [this](bool on) { frm.changeOptions([on](catalogue::RunOptions& o) { o.bDodajInfo = !on; }); });
}

void SummaryPage::initializePage() {
  QStringList lines;
  frm.iWybrane = frm.session().summary(lines);
  mInfo->setPlainText(lines.join(QLatin1Char('\n')));
}

bool SummaryPage::validatePage() {
  // Nothing ticked: nothing is written, and the completion page still follows.
  if (frm.iWybrane < 1) {
    frm.lastRun = {};
    return true;
  }
  catalogue::ExportResult result;
  const bool exported = frm.guard([&] {
    try {
      result = exportWithProgress(this, frm.session());
    } catch (const catalogue::ExportStopped& stopped) {
      // The error box also names the files written before the error.
      throw Error(stopped.kind(), stopped.withWrittenFiles());
    }
  });
  if (!exported) return false;
  if (result.cancelled) {
    // What was written before the run stopped stays, with its sending dates.
    if (!result.files.empty()) {
      QStringList names;
      for (const catalogue::WrittenFile& file : result.files) names << QFileInfo(file.path).fileName();
      frm.dialogs().showMessage(QStringLiteral("Eksport przerwano. Przed przerwaniem zapisano pliki:\n") +
                                names.join(QLatin1Char('\n')));
    }
    return false;
  }
  frm.lastRun = result;
  return true;
}

}  // namespace wertalo::gui
