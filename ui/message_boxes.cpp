#include "ui/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/orlin_application.h"

namespace MessageBoxes {

namespace {

Responder& currentResponder() {
    static Responder responder;
    return responder;
}

QMessageBox::Icon iconFor(Kind kind) {
    switch (kind) {
        case Kind::Error:
            return QMessageBox::Critical;
        case Kind::Warning:
            return QMessageBox::Warning;
        case Kind::Information:
            return QMessageBox::Information;
        case Kind::Confirmation:
            return QMessageBox::Question;
        case Kind::Note:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void setResponder(Responder responder) {
    currentResponder() = std::move(responder);
}

Answer show(QWidget* parent, Kind kind, const QString& text, bool yesNo, const QString& caption) {
    return show(parent, kind, text, yesNo ? Buttons::YesNo : Buttons::Ok, caption);
}

Answer show(QWidget* parent, Kind kind, const QString& text, Buttons buttons,
            const QString& caption) {
    Request request{kind, caption.isEmpty() ? QStringLiteral("Orlin") : caption, text,
                    buttons == Buttons::YesNo, buttons};
    // An operation ended by closing the window says nothing on its way out.
    if (orlin::OperationsAbandoned()) return Answer::Closed;
    if (currentResponder()) return currentResponder()(request);

    // The buttons are added with their texts set here, so that no translation of Qt's own
    // standard buttons changes them.
    QMessageBox box(iconFor(kind), request.caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* ok = nullptr;
    if (buttons == Buttons::YesNo)
        yes = box.addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    else
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if (buttons != Buttons::Ok) no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes ? yes : ok);
    box.setEscapeButton(no ? no : ok);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) return Answer::Closed;
    if (clicked == yes) return Answer::Yes;
    if (clicked == no) return Answer::No;
    return Answer::Ok;
}

void error(QWidget* parent, const QString& text) {
    show(parent, Kind::Error, text);
}
void warning(QWidget* parent, const QString& text) {
    show(parent, Kind::Warning, text);
}
void information(QWidget* parent, const QString& text) {
    show(parent, Kind::Information, text);
}

bool confirm(QWidget* parent, const QString& text) {
    return show(parent, Kind::Confirmation, text, true) == Answer::Yes;
}

bool warningYesNo(QWidget* parent, const QString& text) {
    return show(parent, Kind::Warning, text, true) == Answer::Yes;
}

bool informationOkNo(QWidget* parent, const QString& text) {
    return show(parent, Kind::Information, text, Buttons::OkNo) == Answer::Ok;
}

}  // namespace MessageBoxes
