// Wertalo wizard: the forms the wizard opens from its buttons: the settings form ("Ustawienia")
// and the form of the balance-position mapping.
#pragma once

class QWidget;

namespace wertalo::operations {
class Session;
}

namespace wertalo::gui {

// Shows the settings form modally over `parent` (one form per parent, reused). On return the
// session's settings and run options hold the form's values: stored when "Zapisz" was pressed,
// for this run only otherwise. An error while showing it is reported as "Błąd odczytu ustawień".
void showSettingsForm(QWidget* parent, operations::Session& session);

// Shows the mapping form modally over `parent` (one form per parent, reused; its kind and side
// stay as the user left them). Works on the session's mapping module for the chosen year; every
// change is written at once. The wizard refreshes its view of the balance positions afterwards.
void showMappingForm(QWidget* parent, operations::Session& session);

}  // namespace wertalo::gui
