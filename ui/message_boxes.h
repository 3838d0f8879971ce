#pragma once
// Every message box of the program goes through here, so that tests can answer them
// without a window blocking: set a Responder and the boxes are not shown at all.

#include <QString>
#include <functional>

class QWidget;

namespace MessageBoxes {

enum class Kind { Error, Warning, Information, Confirmation, Note };
enum class Answer { Ok, Yes, No, Closed };

struct Request {
    Kind kind;
    QString caption;
    QString text;
    bool yesNo;  // Yes/No buttons instead of OK
};

using Responder = std::function<Answer(const Request&)>;

// Installs a responder for tests (an empty function restores the real boxes).
void setResponder(Responder responder);

// The application title, "Orlin", is the caption unless one is given.
Answer show(QWidget* parent, Kind kind, const QString& text, bool yesNo = false,
            const QString& caption = QString());

void error(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void information(QWidget* parent, const QString& text);
bool confirm(QWidget* parent, const QString& text);       // Yes/No confirmation, true on Yes
bool warningYesNo(QWidget* parent, const QString& text);  // Yes/No warning, true on Yes

}  // namespace MessageBoxes
