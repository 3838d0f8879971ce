#include "app/orlin_application.h"

#include <exception>

#include "app/message_boxes.h"
#include "link/errors.h"

namespace orlin {

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + QChar(u'.');
    return message;
}

void ShowCurrentException() {
    QString text;
    try {
        throw;
    } catch (const std::exception& e) {
        // Our own exceptions and the runtime's carry UTF-8 text.
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) parent = QApplication::activeWindow();
    MessageBoxes::show(parent, MessageBoxes::Kind::Error, ErrorBoxText(text));
}

OrlinApplication::OrlinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orlin"));
}

bool OrlinApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return true;
    }
}

}  // namespace orlin
