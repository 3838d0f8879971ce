#pragma once
// Every message box of the program goes through here, so that tests can answer them
// without a window blocking: set a Responder and the boxes are not shown at all.

#include <QString>
#include <functional>

class QWidget;

namespace MessageBoxes {

enum class Kind { Error, Warning, Information, Confirmation, Note };
enum class Answer { Ok, Yes, No, Closed };
// The button sets; their texts are exactly "OK", "Yes" and "No", whatever the language of
// the rest of the program's dialogs.
enum class Buttons { Ok, YesNo, OkNo };

struct Request {
    Kind kind;
    QString caption;
    QString text;
    bool yesNo;  // Yes/No buttons (buttons == Buttons::YesNo)
    Buttons buttons;
};

using Responder = std::function<Answer(const Request&)>;

// Installs a responder for tests (an empty function restores the real boxes).
void setResponder(Responder responder);

// The application title, "Orlin", is the caption unless one is given.
Answer show(QWidget* parent, Kind kind, const QString& text, bool yesNo = false,
            const QString& caption = QString());
Answer show(QWidget* parent, Kind kind, const QString& text, Buttons buttons,
            const QString& caption = QString());

void error(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
bool confirm(QWidget* parent, const QString& text);       // Yes/No confirmation, true on Yes
bool warningYesNo(QWidget* parent, const QString& text);  // Yes/No warning, true on Yes
// An information box with OK and No: true on OK; No, and a box closed otherwise, give false.
bool informationOkNo(QWidget* parent, const QString& text);

}  // namespace MessageBoxes
