#include "ui/orlin_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "link/errors.h"
#include "ui/busy_state.h"
#include "ui/message_boxes.h"
#include "ui/phone_text_qt.h"

namespace orlin {

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.')) return message + QChar(u'.');
    return message;
}

void ShowCurrentException() {
    QString text;
    try {
        throw;
    } catch (const OrlinError& e) {
        // Our own failures carry Windows-1251 text, like the phone's data.
        text = FromCp1251(e.what());
    } catch (const std::exception& e) {
        const QByteArray bytes(e.what());
        text = QString::fromUtf8(bytes);
        if (text.contains(QChar::ReplacementCharacter)) text = FromCp1251(bytes.toStdString());
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

void Guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        ShowCurrentException();
    }
}

bool InstallRussianQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& folder : folders)
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    delete translator;
    return false;
}

bool GuardedOperation(BusyState& busy, const std::function<void()>& work) {
    if (busy.isBusy()) return false;
    BusyScope scope(busy);
    Guarded(work);
    return true;
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
