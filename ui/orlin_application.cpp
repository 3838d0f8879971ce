#include "ui/orlin_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <exception>

#include "link/data_folder.h"
#include "link/errors.h"
#include "ui/busy_state.h"
#include "ui/message_boxes.h"

namespace orlin {

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.')) return message + QChar(u'.');
    return message;
}

namespace {
bool abandoned = false;
}  // namespace

void AbandonOperations(bool on) {
    abandoned = on;
}

bool OperationsAbandoned() {
    return abandoned;
}

void ProcessEventsOrAbandon() {
    QCoreApplication::processEvents();
    if (abandoned) throw OperationAbandoned();
}

void ShowCurrentException() {
    QString text;
    try {
        throw;
    } catch (const OperationAbandoned&) {
        return;
    } catch (const std::exception& e) {
        // Our own failures, and the library's, carry UTF-8 text.
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    QWidget* parent = QApplication::activeModalWidget();
    if (parent == nullptr) parent = QApplication::activeWindow();
    MessageBoxes::show(parent, MessageBoxes::Kind::Error, ErrorBoxText(text));
}

namespace {

double Luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

QPalette ReadableSelection(QPalette palette) {
    QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor text = palette.color(QPalette::Active, QPalette::HighlightedText);
    const bool lightText = Luminance(text) > 0.5;
    for (int step = 0; step < 40 && Contrast(highlight, text) < 4.5; ++step)
        highlight = lightText ? highlight.darker(106) : highlight.lighter(106);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, highlight);
        palette.setColor(group, QPalette::HighlightedText, text);
    }
    return palette;
}

OrlinApplication::OrlinApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orlin"));
    setPalette(ReadableSelection(palette()));
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

bool InstallTranslations(Language language) {
    if (language == Language::Russian) {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        return InstallRussianQtTranslations();
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    auto* translator = new QTranslator(QCoreApplication::instance());
    QStringList folders{QCoreApplication::applicationDirPath()};
    const std::string installed = InstalledDataFolder();
    if (!installed.empty()) folders << QString::fromStdString(installed);
    for (const QString& folder : folders)
        if (translator->load(QStringLiteral("orlin_en"), folder)) {
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
