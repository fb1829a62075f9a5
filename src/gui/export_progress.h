// Wertalo wizard: the export with a progress dialog and a working Cancel.
#pragma once

#include <QWidget>

#include "core/catalogue/export_result.h"
#include "core/operations/session.h"

namespace wertalo::gui {

// Caption of the progress dialog's Cancel button.
inline const QString kCancelCaption = QStringLiteral("Anuluj");

// Exports the session's ticked reports while a progress dialog over `parent` shows the report
// just written; the window keeps working between reports. Cancel stops the run before the next
// report: nothing more is written or dated (`cancelled` in the result). Raises Error.
catalogue::ExportResult exportWithProgress(QWidget* parent, operations::Session& session);

}  // namespace wertalo::gui
