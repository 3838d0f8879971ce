#pragma once
// The application object: its title is "Orlin", and it is the one place where an exception
// that leaves an event handler is caught and shown in the error box.

#include <QApplication>
#include <QPalette>
#include <QString>
#include <functional>

#include "link/errors.h"
#include "link/language.h"

class BusyState;

namespace orlin {

// Closing the window while a phone operation runs: the operation's next pause for the window's
// events raises OperationAbandoned, which ends it the way a port failure does (its clean-up
// runs, the port is released). Neither it nor the boxes the operation would show on the way
// out are shown; the window closes once the operation has ended.
class OperationAbandoned : public OrlinError {
public:
    OperationAbandoned() : OrlinError("the window was closed") {}
};
void AbandonOperations(bool on = true);  // false: operations run as before
bool OperationsAbandoned();
// QCoreApplication::processEvents(), then OperationAbandoned when the window was closed.
void ProcessEventsOrAbandon();

// The error box text: the message, with a full stop appended when the message is not empty
// and its last character sorts after "." (so "...", ")" and "!" endings stay as they are).
QString ErrorBoxText(const QString& message);

// Shows the error box for the exception being handled (call only inside a catch block).
void ShowCurrentException();

// Runs a handler's work and shows its failure in the error box. Every handler catches at its
// own boundary this way, so that no exception passes through Qt's own code (which is not
// written for it); the application's notify() stays only as the last resort.
void Guarded(const std::function<void()>& work);

// A phone operation's handler in one call: nothing happens while the window is busy with
// another operation (returns false); otherwise the window is busy while `work` runs inside
// Guarded(), and it is no longer busy however `work` ends.
bool GuardedOperation(BusyState& busy, const std::function<void()>& work);

// Qt's own dialogs (the file and font dialogs, the edits' context menus) speak Russian like the
// rest of the window: Qt's translations are loaded from Qt's translation folder, or from a
// "translations" folder beside the program. False when none was found (they stay English).
// The message boxes set their button texts themselves and are not changed by it.
bool InstallRussianQtTranslations();

// The catalogues of `language`, installed once at start: under Russian Qt's own Russian ones as
// above (the program's texts are Russian as written); under English the program's orlin_en.qm,
// found beside the program or in the installed data folder, and no Russian catalogue of Qt.
// Sets the default locale (calendars, dates) to match. False when a catalogue was not found.
bool InstallTranslations(Language language);

// A palette whose selected rows read well in every list of the window: the selection looks the
// same whether or not the window is the active one (some styles give an inactive window a
// pale selection under white text), and the selection's text stands out from its background
// with a contrast of at least 4.5 (the highlight darkened where the style's is too light).
QPalette ReadableSelection(QPalette palette);

class OrlinApplication : public QApplication {
public:
    OrlinApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace orlin
