// The program orlin: start-up in a fixed order, then the message loop until the main window
// closes. For documentation and checks without a person:
//   orlin --tab NAME [--send TEXT ...] [--click BUTTON ...] [--select TREE-ITEM ...]
//         [--choose BUTTON=FILE ...]
//         [--only-main-window] [--lang ru|en] --screenshot FILE --quit-after MS
// The screenshot holds every window shown, as the screen shows them, so that a dialog that
// opened by itself is seen; --only-main-window makes such a dialog a failure (exit status 3).

#include <QAbstractButton>
#include <QCommandLineParser>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <optional>

#include "app/main_window.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/transcript.h"
#include "status/terminal_tab.h"
#include "ui/file_dialogs.h"
#include "ui/orlin_application.h"
#include "ui/phone_text_qt.h"
#include "ui/version_info.h"

namespace {

// The part of the screen that holds every visible top-level window, as the screen shows it.
// Where the screen cannot be read (no X server: the offscreen platform, some Wayland
// sessions), the windows are drawn one by one at their places, the main window first.
QImage ScreenShot(QWidget& mainWindow) {
    QRect area;
    QList<QWidget*> shown{&mainWindow};
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        area |= window->frameGeometry();
        if (window != &mainWindow) shown << window;
    }
    if (QScreen* screen = mainWindow.screen()) {
        area &= screen->virtualGeometry();
        const QPixmap grabbed =
            screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!grabbed.isNull()) return grabbed.toImage();
    }
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (QWidget* window : shown)
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    return image;
}

// The visible top-level windows other than the main window, by their titles.
QStringList OtherWindows(const QWidget& mainWindow) {
    QStringList titles;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != &mainWindow)
            titles << QStringLiteral("\"%1\" (%2)")
                          .arg(window->windowTitle(),
                               QString::fromLatin1(window->metaObject()->className()));
    return titles;
}

}  // namespace

int main(int argc, char** argv) {
    // 1. The application, titled "Orlin".
    orlin::OrlinApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Orlin: a Motorola phone manager"));
    parser.addHelpOption();
    // --version prints the version of the program's own version record, as About shows it.
    try {
        app.setApplicationVersion(
            orlin::VersionInfo(orlin::programFilePath()).value(QStringLiteral("FileVersion")));
    } catch (const orlin::OrlinError&) {
        app.setApplicationVersion(QStringLiteral("n/a"));
    }
    parser.addVersionOption();
    const QCommandLineOption tabOption(QStringLiteral("tab"),
                                       QStringLiteral("Show the tab NAME after start-up."),
                                       QStringLiteral("NAME"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Write a PNG of the screen to FILE: the part that holds every window "
                       "shown."),
        QStringLiteral("FILE"));
    const QCommandLineOption onlyMainOption(
        QStringLiteral("only-main-window"),
        QStringLiteral("At --quit-after, fail (exit status 3) when a window other than the main "
                       "window is shown, and name it on standard error."));
    const QCommandLineOption quitOption(
        QStringLiteral("quit-after"),
        QStringLiteral("Quit MS milliseconds after start-up (after the screenshot)."),
        QStringLiteral("MS"));
    const QCommandLineOption sendOption(
        QStringLiteral("send"),
        QStringLiteral("Send TEXT from the terminal tab after start-up, as if typed and sent "
                       "with the Send button (may be given several times)."),
        QStringLiteral("TEXT"));
    const QCommandLineOption clickOption(
        QStringLiteral("click"),
        QStringLiteral("Click the button named BUTTON (for instance sbReadAll) after start-up "
                       "(may be given several times)."),
        QStringLiteral("BUTTON"));
    const QCommandLineOption selectOption(
        QStringLiteral("select"),
        QStringLiteral("Click the tree item captioned TEXT (for instance the messages folder "
                       "\"Inbox\", in Russian \"Входящие\") after start-up, as a user does (may be "
                       "given several times)."),
        QStringLiteral("TEXT"));
    const QCommandLineOption chooseOption(
        QStringLiteral("choose"),
        QStringLiteral("Click the button BUTTON and answer the file dialog it opens with FILE, "
                       "for instance SpeedButton10=picture.bmp (may be given several times)."),
        QStringLiteral("BUTTON=FILE"));
    const QCommandLineOption logOption(
        QStringLiteral("log"),
        QStringLiteral("Write a transcript of the dialogue with the phone to FILE when the "
                       "program ends (for a bug report; it holds what was read from the phone)."),
        QStringLiteral("FILE"));
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QStringLiteral("Speak LANG: ru or en. Without it ORLIN_LANG, else the locale (LANGUAGE, "
                       "LC_ALL, LC_MESSAGES, LANG: Russian for ru, uk and be, English "
                       "otherwise)."),
        QStringLiteral("LANG"));
    parser.addOptions({tabOption, screenshotOption, quitOption, sendOption, clickOption,
                       selectOption, chooseOption, onlyMainOption, logOption, langOption});
    parser.process(app);

    // The language, before any window exists: calendars, dates and Qt's own dialogs follow it.
    std::optional<orlin::Language> language;
    if (parser.isSet(langOption)) {
        language = orlin::ParseLanguage(parser.value(langOption).toStdString());
        if (!language) {
            std::fprintf(stderr, "orlin: --lang wants ru or en, not \"%s\"\n",
                         parser.value(langOption).toLocal8Bit().constData());
            return 2;
        }
    }
    orlin::SetCurrentLanguage(orlin::ChooseLanguage(language, orlin::ProcessEnvironment));
    orlin::InstallTranslations(orlin::CurrentLanguage());

    // 2. The eight forms, the main window first (its creation runs FormCreate).
    TfrmMain window;
    window.CreateForms();

    int tabIndex = -1;
    if (parser.isSet(tabOption)) {
        tabIndex = window.TabIndexByName(parser.value(tabOption));
        if (tabIndex < 0) {
            std::fprintf(stderr,
                         "orlin: no tab named \"%s\" (terminal, info, phonebook, "
                         "datebook, sms, theme)\n",
                         parser.value(tabOption).toLocal8Bit().constData());
            return 2;
        }
    }
    int quitAfter = -1;
    if (parser.isSet(quitOption)) {
        bool ok = false;
        quitAfter = parser.value(quitOption).toInt(&ok);
        if (!ok || quitAfter < 0) {
            std::fprintf(stderr, "orlin: --quit-after wants milliseconds\n");
            return 2;
        }
    } else if (parser.isSet(screenshotOption)) {
        quitAfter = 1500;
    }

    window.show();
    // The tab is shown from inside the message loop, so that its on-show handler reports its
    // failures in the error box like a click on the tab would.
    if (tabIndex >= 0)
        QTimer::singleShot(0, &window,
                           [&window, tabIndex] { window.PageControl1->setCurrentIndex(tabIndex); });
    // Terminal commands go one by one, each as a click on the send button, so that a failure
    // shows its error box and the next command still goes.
    for (const QString& text : parser.values(sendOption))
        QTimer::singleShot(0, &window, [&window, text] { window.tsTerminal->SendTyped(text); });
    for (const QString& name : parser.values(clickOption))
        QTimer::singleShot(0, &window, [&window, name] {
            auto* button = window.findChild<QAbstractButton*>(name);
            if (button == nullptr) {
                std::fprintf(stderr, "orlin: no button named \"%s\"\n",
                             name.toLocal8Bit().constData());
                return;
            }
            button->click();
        });
    for (const QString& caption : parser.values(selectOption))
        QTimer::singleShot(0, &window, [&window, caption] {
            for (QTreeWidget* tree : window.findChildren<QTreeWidget*>()) {
                const auto found =
                    tree->findItems(caption, Qt::MatchStartsWith | Qt::MatchRecursive);
                if (found.isEmpty()) continue;
                tree->setCurrentItem(found.first());
                emit tree->itemClicked(found.first(), 0);
                return;
            }
            std::fprintf(stderr, "orlin: no tree item captioned \"%s\"\n",
                         caption.toLocal8Bit().constData());
        });
    // The choices go one after the other: each click returns when its file dialog has been
    // answered from inside the dialog's own loop, as a person would type the name and press
    // Open.
    const QStringList choices = parser.values(chooseOption);
    if (!choices.isEmpty())
        QTimer::singleShot(0, &window, [&window, choices] {
            for (const QString& choice : choices) {
                const QString name = choice.section(QLatin1Char('='), 0, 0);
                const QString file =
                    QFileInfo(choice.section(QLatin1Char('='), 1)).absoluteFilePath();
                auto* button = window.findChild<QAbstractButton*>(name);
                if (button == nullptr) {
                    std::fprintf(stderr, "orlin: no button named \"%s\"\n",
                                 name.toLocal8Bit().constData());
                    continue;
                }
                QTimer::singleShot(0, &window, [file] {
                    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                    if (dialog == nullptr) return;
                    // selectFile() leaves the name field alone while it has the focus.
                    if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
                    dialog->selectFile(file);
                    static_cast<QDialog*>(dialog)->accept();
                });
                button->click();
            }
        });
    int status = 0;
    if (quitAfter >= 0) {
        const QString screenshot = parser.value(screenshotOption);
        const bool onlyMain = parser.isSet(onlyMainOption);
        QTimer::singleShot(quitAfter, &window, [&window, &status, screenshot, onlyMain] {
            if (!screenshot.isEmpty() && !ScreenShot(window).save(screenshot, "PNG")) {
                std::fprintf(stderr, "orlin: cannot write %s\n",
                             screenshot.toLocal8Bit().constData());
                status = 1;
            }
            const QStringList others = OtherWindows(window);
            if (onlyMain && !others.isEmpty()) {
                std::fprintf(stderr, "orlin: a window besides the main window is shown: %s\n",
                             others.join(QStringLiteral(", ")).toLocal8Bit().constData());
                status = 3;
            }
            QApplication::exit(status);
        });
    }
    // 3. The message loop until the main window closes.
    const int result = app.exec();
    if (parser.isSet(logOption)) {
        try {
            orlin::transcript::WriteTo(orlin::Utf8Path(parser.value(logOption)));
        } catch (const orlin::OrlinError& error) {
            std::fprintf(stderr, "orlin: cannot write the transcript %s: %s\n",
                         parser.value(logOption).toLocal8Bit().constData(),
                         QString::fromUtf8(error.what()).toLocal8Bit().constData());
            if (status == 0) status = 1;
        }
    }
    return status != 0 ? status : result;
}
