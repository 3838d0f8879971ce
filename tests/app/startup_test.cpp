// Start-up of the main window: tabs, captions, menus, the command box, images, and the
// start-up without portcfg.ini or without the picture container; the error box's text rule.

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "phonebook/phonebook_tab.h"
#include "status/info_tab.h"
#include "status/terminal_tab.h"
#include "tests/support/window_test.h"
#include "ui/image_library.h"
#include "ui/orlin_application.h"

namespace orlin::test {
namespace {

using Kind = MessageBoxes::Kind;

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(orlin::ErrorBoxText("File not found"), "File not found.");
    EXPECT_EQ(orlin::ErrorBoxText("'12x' is not a valid integer value"),
              "'12x' is not a valid integer value.");
    EXPECT_EQ(orlin::ErrorBoxText(QStringLiteral("Телефон не подключен.")),
              QStringLiteral("Телефон не подключен."));
    EXPECT_EQ(orlin::ErrorBoxText("Error (5)"), "Error (5)");  // ')' sorts before '.'
    EXPECT_EQ(orlin::ErrorBoxText("Done!"), "Done!");
    EXPECT_EQ(orlin::ErrorBoxText("code 42"), "code 42.");  // digits sort after '.'
    EXPECT_EQ(orlin::ErrorBoxText("a-"), "a-");             // '-' sorts before '.'
    EXPECT_EQ(orlin::ErrorBoxText("path/"), "path/.");      // '/' sorts right after '.'
    EXPECT_EQ(orlin::ErrorBoxText(""), "");
    EXPECT_EQ(orlin::ErrorBoxText(QStringLiteral("Ошибка")), QStringLiteral("Ошибка."));
}

class StartupTest : public WindowTest {};

TEST_F(StartupTest, WindowHasItsSixTabsMenusAndAFilledCommandBox) {
    writePortConfig("/dev/orlin-no-such-port", 57600, 2000);
    TfrmMain& w = createWindow();

    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Wendle's Orlin"));
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Orlin"));
    const QStringList captions = {"Терминал",   "Информация", "Справочник",
                                  "Ежедневник", "Сообщения",  "Темы"};
    ASSERT_EQ(w.PageControl1->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w.PageControl1->tabText(i), captions[i]);
    EXPECT_EQ(w.PageControl1->widget(1), w.tsInfo);
    EXPECT_EQ(w.PageControl1->currentIndex(), TfrmMain::PhoneBookPage);
    EXPECT_GE(w.width(), 756);
    EXPECT_EQ(w.minimumSize(), QSize(756, 456));

    // The port settings are read at start.
    EXPECT_EQ(w.portSettings().PortName, "/dev/orlin-no-such-port");
    EXPECT_EQ(w.portSettings().PortBaudRate, 57600);
    EXPECT_EQ(w.portSettings().PortTimeOut, 2000);

    QComboBox* box = w.tsTerminal->cbCommand;
    ASSERT_EQ(box->count(), 40);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->currentText(), "AT");
    EXPECT_EQ(box->itemText(8), "AT+CPBS=\"ME\"");
    EXPECT_EQ(box->itemText(39), "AT+CBST?");
    EXPECT_TRUE(w.tsTerminal->mmDescriptionCommand->toPlainText().isEmpty());

    // Clock fields hidden, the display off, nothing to add to yet, two-line captions.
    EXPECT_FALSE(w.tsInfo->CheckBox2->isChecked());
    EXPECT_TRUE(w.tsInfo->edtCompTime->isHidden());
    EXPECT_TRUE(w.tsInfo->edtPhoneTime->isHidden());
    EXPECT_FALSE(w.tsInfo->ClockDisplayRunning());
    EXPECT_FALSE(w.tsPhoneBook->sbAddRecord->isEnabled());
    EXPECT_EQ(w.tsPhoneBook->sbReadAll->text(), QStringLiteral("Читать\nвсе..."));
    EXPECT_EQ(w.tsPhoneBook->sbWriteAll->text(), QStringLiteral("Записать\nвсе..."));
    EXPECT_FALSE(w.RecordConfirmed);

    // The main menu, group by group, with the separators where they belong.
    const QList<QAction*> groups = w.menuBar()->actions();
    QStringList groupCaptions;
    for (QAction* g : groups) groupCaptions << g->text();
    EXPECT_EQ(groupCaptions,
              QStringList({"Файл", "Справочник", "Ежедневник", "SMS", "Параметры", "Справка"}));
    auto items = [](QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    };
    EXPECT_EQ(items(w.mnuFile),
              QStringList({"BackUp", "Restore", "Резервная копия всего телефона...",
                           "Восстановить весь телефон...", "Сохранить SMS", "-", "Выход"}));
    EXPECT_EQ(items(w.mnuPhoneBook),
              QStringList({"Добавить", "Удалить", "Редактировать", "-", "Прочитать все",
                           "Записать все", "-", "Экспорт в vCard...", "Импорт из vCard..."}));
    EXPECT_EQ(items(w.mnuDateBook),
              QStringList({"Прочитать", "Добавить", "Редактировать", "Удалить", "-",
                           "Экспорт в iCalendar...", "Импорт из iCalendar..."}));
    EXPECT_EQ(items(w.mnuSMS), QStringList({"Прочитать", "Новое", "Удалить", "Удалить все"}));
    EXPECT_EQ(items(w.mnuParameters),
              QStringList({"Шрифт терминала", "Конфигурация порта", "Настройка"}));
    EXPECT_EQ(items(w.mnuHelp),
              QStringList({"Помощь", "Сохранить протокол обмена...", "О программе"}));

    // "Настройка" does nothing and "Редактировать" with an empty list does nothing.
    w.mnuOption->trigger();
    w.N9->trigger();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A progress dialog shows itself some seconds after it is made (Qt waits 4 s by default): a
// window left alone after the start shows nothing but itself.
TEST_F(StartupTest, AWindowLeftAloneShowsNoOtherWindow) {
    writePortConfig("/dev/orlin-no-such-port");
    TfrmMain& w = createWindow();
    QStringList others;
    // The wait runs its whole time when nothing shows: its result is in `others`.
    static_cast<void>(QTest::qWaitFor(
        [&] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window != &w) others << window->windowTitle();
            return !others.isEmpty();
        },
        4600));
    EXPECT_TRUE(others.isEmpty()) << others.join('|').toStdString();
    EXPECT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();
}

TEST_F(StartupTest, ImagesFromTheContainerReachTabsListsAndPopup) {
    writePortConfig("/dev/orlin-no-such-port");
    TfrmMain& w = createWindow();
    ASSERT_TRUE(boxes().empty()) << boxTexts().join('|').toStdString();

    EXPECT_EQ(w.images().smallIcons.size(), 42);
    EXPECT_EQ(w.images().tabIcons.size(), 6);
    EXPECT_EQ(w.images().popupIcons.size(), 8);
    EXPECT_EQ(w.images().tabIcons[0].size(), QSize(32, 32));
    EXPECT_EQ(w.images().popupIcons[0].size(), QSize(24, 24));
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(w.PageControl1->tabIcon(i).isNull()) << i;
    EXPECT_FALSE(w.tsPhoneBook->pmLoadRecord->icon().isNull());
    EXPECT_FALSE(w.tsPhoneBook->mnuSendSMS->icon().isNull());
    EXPECT_FALSE(w.tsInfo->SpeedButton11->icon().isNull());
    EXPECT_FALSE(w.tsPhoneBook->sbReadAll->icon().isNull());
}

TEST_F(StartupTest, AGlyphMissingFromTheContainerKeepsTheGlyphsSetBeforeIt) {
    // A container that holds SB_01..SB_04 and nothing else.
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/\">");
    for (const char* name : {"SB_01", "SB_02", "SB_03", "SB_04"})
        qrc += QStringLiteral("<file alias=\"%1\">%2/%1.png</file>")
                   .arg(QLatin1String(name), QStringLiteral(ORLIN_GLYPH_IMAGES));
    qrc += QStringLiteral("</qresource></RCC>");
    writeFile(filePath("short.qrc"), qrc.toUtf8());
    ASSERT_EQ(QProcess::execute(QStringLiteral(ORLIN_RCC), {"--binary", filePath("short.qrc"), "-o",
                                                            filePath("orlinres.dll")}),
              0);
    orlin::setResourceSearchFolders({workDir()});
    writePortConfig("/dev/orlin-no-such-port");
    TfrmMain& w = createWindow();

    ASSERT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(boxes()[0].kind, Kind::Error);
    EXPECT_EQ(boxes()[0].text, "Resource SB_05 not found.");
    // The buttons of the table before the missing bitmap have their glyphs.
    EXPECT_FALSE(w.tsInfo->SpeedButton1->icon().isNull());
    EXPECT_FALSE(w.tsInfo->SpeedButton11->icon().isNull());
    EXPECT_FALSE(w.tsPhoneBook->sbAddRecord->icon().isNull());
    EXPECT_FALSE(w.tsPhoneBook->sbReadAll->icon().isNull());
    EXPECT_TRUE(w.tsPhoneBook->SpeedButton3->icon().isNull());
}

TEST_F(StartupTest, WithoutPortSettingsTheErrorBoxShowsAndStartUpGoesOn) {
    // No portcfg.ini in the working folder: the first start on every machine.
    TfrmMain& w = createWindow();

    ASSERT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(boxes()[0].kind, Kind::Error);
    EXPECT_EQ(boxes()[0].caption, "Orlin");
    EXPECT_EQ(boxes()[0].text, "File not found.");
    EXPECT_FALSE(boxes()[0].yesNo);

    // The steps after the failed one ran all the same.
    EXPECT_EQ(w.tsTerminal->cbCommand->count(), 40);
    EXPECT_EQ(w.tsTerminal->cbCommand->currentText(), "AT");
    EXPECT_EQ(w.tsPhoneBook->sbReadAll->text(), QStringLiteral("Читать\nвсе..."));
    EXPECT_TRUE(w.tsInfo->edtCompTime->isHidden());
    EXPECT_FALSE(w.tsPhoneBook->sbAddRecord->isEnabled());
    EXPECT_TRUE(w.portSettings().PortName.empty());
}

TEST_F(StartupTest, WithoutTheContainerOneWarningAndNoPictures) {
    writePortConfig("/dev/orlin-no-such-port");
    orlin::setResourceSearchFolders({workDir()});  // holds no orlinres.dll
    TfrmMain& w = createWindow();

    ASSERT_EQ(boxes().size(), 1u) << boxTexts().join('|').toStdString();
    EXPECT_EQ(boxes()[0].kind, Kind::Warning);
    EXPECT_TRUE(boxes()[0].text.startsWith(QStringLiteral("Невозможно загрузить orlinres.dll")))
        << boxes()[0].text.toStdString();
    EXPECT_TRUE(w.images().smallIcons.isEmpty());
    EXPECT_TRUE(w.images().tabIcons.isEmpty());
    EXPECT_TRUE(w.images().popupIcons.isEmpty());
    EXPECT_TRUE(w.PageControl1->tabIcon(0).isNull());
    // The rest of the start-up ran.
    EXPECT_EQ(w.tsTerminal->cbCommand->count(), 40);
    EXPECT_EQ(w.portSettings().PortName, "/dev/orlin-no-such-port");
}

}  // namespace
}  // namespace orlin::test

namespace orlin::test {
namespace {

TEST_F(StartupTest, TheFontMenuGivesTheTerminalTheChosenFontOnlyWhenConfirmed) {
    writePortConfig("COM3");
    TfrmMain& w = createWindow();
    const QFont before = w.tsTerminal->mmTerminal->font();
    QFont chosen(QStringLiteral("DejaVu Sans Mono"), 14);

    QTimer::singleShot(0, [&] {
        w.FontDialog1->setCurrentFont(chosen);
        w.FontDialog1->reject();
    });
    w.mnuFont->trigger();
    EXPECT_EQ(w.tsTerminal->mmTerminal->font(), before);

    QTimer::singleShot(0, [&] {
        w.FontDialog1->setCurrentFont(chosen);
        w.FontDialog1->accept();
    });
    w.mnuFont->trigger();
    EXPECT_EQ(w.tsTerminal->mmTerminal->font().pointSize(), 14);
    EXPECT_NE(w.tsTerminal->mmTerminal->font(), before);
}

}  // namespace
}  // namespace orlin::test
