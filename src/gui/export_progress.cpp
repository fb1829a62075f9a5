#include "gui/export_progress.h"

#include <QApplication>
#include <QProgressDialog>

namespace wertalo::gui {

catalogue::ExportResult exportWithProgress(QWidget* parent, operations::Session& session) {
  const int total = session.selection().tickedCount();
  QProgressDialog dialog(QStringLiteral("Eksport sprawozdań..."), kCancelCaption, 0, total, parent);
  dialog.setObjectName(QStringLiteral("dlgEksport"));
  dialog.setWindowTitle(QStringLiteral("Eksport danych"));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(300);
  dialog.setAutoReset(false);
  dialog.setValue(0);

  package::RunControl control;
  control.progress = [&dialog](int done, int all, const catalogue::SelectRow& row) {
    dialog.setMaximum(all);
    dialog.setLabelText(QStringLiteral("Sprawozdanie %1 z %2: %3 %4").arg(done).arg(all).arg(row.sNazwa, row.sNazwaCzesc));
    dialog.setValue(done);
    QApplication::processEvents();
  };
  control.cancelRequested = [&dialog] {
    QApplication::processEvents();
    return dialog.wasCanceled();
  };
  return session.exportSelection(control);
}

}  // namespace wertalo::gui
