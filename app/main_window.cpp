#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/about_box.h"
#include "app/comm_config_dialog.h"
#include "app/help_dialog.h"
#include "app/modem_manager_qt.h"
#include "app/phone_backup.h"
#include "datebook/add_event_dialog.h"
#include "datebook/datebook_tab.h"
#include "link/transcript.h"
#include "messages/messages_tab.h"
#include "messages/save_sms_dialog.h"
#include "phonebook/add_record_dialog.h"
#include "phonebook/option_dialog.h"
#include "phonebook/phonebook_tab.h"
#include "status/info_tab.h"
#include "status/terminal_tab.h"
#include "theme/theme_tab.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/version_info.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    // The dialogue with the phone is recorded from the start, so that "Сохранить протокол
    // обмена..." can save the whole run for a bug report.
    if (!orlin::transcript::Active()) {
        const QString version = QCoreApplication::applicationVersion();
        orlin::transcript::Start(
            ("orlin " + (version.isEmpty() ? QStringLiteral("n/a") : version)).toStdString());
    }
    setObjectName("TfrmMain");
    setWindowTitle(QStringLiteral("Wendle's Orlin"));
    resize(756, 536);
    setMinimumSize(756, 456);
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FontDialog1 = new QFontDialog(QFont(QStringLiteral("MS Sans Serif"), 8), this);
    FontDialog1->setObjectName("FontDialog1");
    FontDialog1->setOption(QFontDialog::DontUseNativeDialog);

    buildTabs();
    buildMainMenu();
    connectMenus();
    // A busy port that ModemManager holds is named, and it can be asked to let go.
    modemManager_ = std::make_unique<QtModemManager>(this);
    orlin::SetPortHolderInquiry(modemManager_.get());
    // The layout's 756 pixels suit a smaller font than the program's: at start the window is as
    // wide as the datebook's and the messages' columns need (within the screen).
    if (QScreen* screen = QApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        const int wanted = std::max(width(), PageControl1->sizeHint().width());
        resize(std::min(wanted, available.width()), height());
        move(available.center() - rect().center());
    }

    // A step of the creation that fails ends the creation: the error box shows it and the
    // window opens with what was set up until then.
    try {
        FormCreate();
    } catch (...) {
        orlin::ShowCurrentException();
    }
    shownTab_ = PageControl1->currentIndex();
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmMain::PageControl1Change);
}

// The busy state (part of WindowContext) goes before the tabs do: a running clock display
// gives it back first.
TfrmMain::~TfrmMain() {
    if (tsInfo) tsInfo->SwitchClockDisplayOff();
    // The finder's thread may still ask who holds a port: it ends before the inquiry goes.
    delete frmCommConfig;
    frmCommConfig = nullptr;
    if (orlin::CurrentPortHolderInquiry() == modemManager_.get())
        orlin::SetPortHolderInquiry(nullptr);
    orlin::AbandonOperations(false);
}

void TfrmMain::buildTabs() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setIconSize(QSize(32, 32));
    // Six tabs with 32 x 32 icons fit the window's 756 pixels only with narrow margins.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 5px 3px 3px; margin-right: 1px; }"));
    setCentralWidget(PageControl1);

    tsTerminal = new TerminalTab(*this);
    tsTerminal->setObjectName("tsTerminal");
    tsInfo = new InfoTab(*this);
    tsInfo->setObjectName("tsInfo");
    tsPhoneBook = new PhoneBookTab(*this);
    tsPhoneBook->setObjectName("tsPhoneBook");
    tsDateBook = new DateBookTab(*this);
    tsDateBook->setObjectName("tsDateBook");
    tsSMS = new MessagesTab(*this);
    tsSMS->setObjectName("tsSMS");
    tsTheme = new ThemeTab(*this);
    tsTheme->setObjectName("tsTheme");

    PageControl1->addTab(tsTerminal, tr("Терминал"));
    PageControl1->addTab(tsInfo, tr("Информация"));
    PageControl1->addTab(tsPhoneBook, tr("Справочник"));
    PageControl1->addTab(tsDateBook, tr("Ежедневник"));
    PageControl1->addTab(tsSMS, tr("Сообщения"));
    PageControl1->addTab(tsTheme, tr("Темы"));
}

void TfrmMain::buildMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto action = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        return a;
    };

    mnuFile = bar->addMenu(tr("Файл"));
    mnuBackUp = action(mnuFile, "mnuBackUp", QStringLiteral("BackUp"));
    mnuRestore = action(mnuFile, "mnuRestore", QStringLiteral("Restore"));
    // The whole phone, told apart from "BackUp" and "Restore" of the phonebook above.
    mnuPhoneBackup = action(mnuFile, "mnuPhoneBackup", tr("Резервная копия всего телефона..."));
    mnuPhoneRestore = action(mnuFile, "mnuPhoneRestore", tr("Восстановить весь телефон..."));
    mnuSaveSMS = action(mnuFile, "mnuSaveSMS", tr("Сохранить SMS"));
    mnuFile->addSeparator();
    mnuExit = action(mnuFile, "mnuExit", tr("Выход"));

    mnuPhoneBook = bar->addMenu(tr("Справочник"));
    N6 = action(mnuPhoneBook, "N6", tr("Добавить"));
    N7 = action(mnuPhoneBook, "N7", tr("Удалить"));
    N9 = action(mnuPhoneBook, "N9", tr("Редактировать"));
    mnuPhoneBook->addSeparator();
    N4 = action(mnuPhoneBook, "N4", tr("Прочитать все"));
    N10 = action(mnuPhoneBook, "N10", tr("Записать все"));
    mnuPhoneBook->addSeparator();
    mnuExportVCard = action(mnuPhoneBook, "mnuExportVCard", tr("Экспорт в vCard..."));
    mnuImportVCard = action(mnuPhoneBook, "mnuImportVCard", tr("Импорт из vCard..."));

    mnuDateBook = bar->addMenu(tr("Ежедневник"));
    N14 = action(mnuDateBook, "N14", tr("Прочитать"));
    N15 = action(mnuDateBook, "N15", tr("Добавить"));
    N17 = action(mnuDateBook, "N17", tr("Редактировать"));
    N16 = action(mnuDateBook, "N16", tr("Удалить"));
    mnuDateBook->addSeparator();
    mnuExportICalendar = action(mnuDateBook, "mnuExportICalendar", tr("Экспорт в iCalendar..."));
    mnuImportICalendar = action(mnuDateBook, "mnuImportICalendar", tr("Импорт из iCalendar..."));

    mnuSMS = bar->addMenu(QStringLiteral("SMS"));
    N18 = action(mnuSMS, "N18", tr("Прочитать"));
    N19 = action(mnuSMS, "N19", tr("Новое"));
    N20 = action(mnuSMS, "N20", tr("Удалить"));
    N22 = action(mnuSMS, "N22", tr("Удалить все"));

    mnuParameters = bar->addMenu(tr("Параметры"));
    mnuFont = action(mnuParameters, "mnuFont", tr("Шрифт терминала"));
    mnuPortConfig = action(mnuParameters, "mnuPortConfig", tr("Конфигурация порта"));
    mnuOption = action(mnuParameters, "mnuOption", tr("Настройка"));

    mnuHelp = bar->addMenu(tr("Справка"));
    mnuHelp2 = action(mnuHelp, "mnuHelp2", tr("Помощь"));
    mnuSaveTranscript = action(mnuHelp, "mnuSaveTranscript", tr("Сохранить протокол обмена..."));
    mnuAbout = action(mnuHelp, "mnuAbout", tr("О программе"));
}

void TfrmMain::connectMenus() {
    // A menu command of a tab shows that tab first, so that its progress and its list are
    // seen while it runs (connected before the commands themselves, so it comes first).
    const std::pair<int, std::vector<QAction*>> pages[] = {
        {PhoneBookPage,
         {mnuBackUp, mnuRestore, N6, N7, N9, N4, N10, mnuExportVCard, mnuImportVCard}},
        {DateBookPage, {N14, N15, N17, N16, mnuExportICalendar, mnuImportICalendar}},
        {SMSPage, {mnuSaveSMS, N18, N19, N20, N22}}};
    for (const auto& [page, items] : pages)
        for (QAction* item : items)
            connect(item, &QAction::triggered, this,
                    [this, page = page] { PageControl1->setCurrentIndex(page); });

    connect(mnuExit, &QAction::triggered, this, &TfrmMain::mnuExitClick);
    connect(mnuFont, &QAction::triggered, this, &TfrmMain::mnuFontClick);
    connect(mnuPortConfig, &QAction::triggered, this, &TfrmMain::mnuPortConfigClick);
    connect(mnuHelp2, &QAction::triggered, this, &TfrmMain::mnuHelp2Click);
    connect(mnuAbout, &QAction::triggered, this, &TfrmMain::mnuAboutClick);
    connect(mnuSaveTranscript, &QAction::triggered, this, &TfrmMain::mnuSaveTranscriptClick);
    // "Настройка" has no action.

    connect(mnuBackUp, &QAction::triggered, tsPhoneBook, &PhoneBookTab::BackUp);
    connect(mnuRestore, &QAction::triggered, tsPhoneBook, &PhoneBookTab::Restore);
    phoneBackup = new PhoneBackup(this, *this);
    connect(mnuPhoneBackup, &QAction::triggered, phoneBackup, &PhoneBackup::backup);
    connect(mnuPhoneRestore, &QAction::triggered, phoneBackup, &PhoneBackup::restore);
    connect(N6, &QAction::triggered, tsPhoneBook, &PhoneBookTab::sbAddRecordClick);
    connect(N7, &QAction::triggered, tsPhoneBook, &PhoneBookTab::pmDeleteClick);
    connect(N9, &QAction::triggered, this, &TfrmMain::N9Click);
    connect(N4, &QAction::triggered, tsPhoneBook, &PhoneBookTab::sbReadAllClick);
    connect(N10, &QAction::triggered, tsPhoneBook, &PhoneBookTab::sbWriteAllClick);
    connect(mnuExportVCard, &QAction::triggered, tsPhoneBook, &PhoneBookTab::ExportVCardClick);
    connect(mnuImportVCard, &QAction::triggered, tsPhoneBook, &PhoneBookTab::ImportVCardClick);

    // Every phone item of the main menu is disabled while a phone operation runs.
    for (QAction* item : {mnuBackUp, mnuRestore, mnuSaveSMS, N6, N7, N9, N4, N10, N14, N15, N17,
                          N16, mnuExportICalendar, mnuImportICalendar, N18, N19, N20, N22})
        busy().add(item);
    for (QAction* item : {mnuExportVCard, mnuImportVCard, mnuPhoneBackup, mnuPhoneRestore})
        busy().add(item);

    connect(mnuSaveSMS, &QAction::triggered, tsSMS, &MessagesTab::pmSMSSaveClick);
    connect(N18, &QAction::triggered, tsSMS, &MessagesTab::N18Click);
    connect(N19, &QAction::triggered, tsSMS, &MessagesTab::N19Click);
    connect(N20, &QAction::triggered, tsSMS, &MessagesTab::N20Click);
    connect(N22, &QAction::triggered, tsSMS, &MessagesTab::N22Click);
    connect(tsSMS, &MessagesTab::readAvailableChanged, this,
            [this](bool available) { busy().setAvailable(N18, available); });
    connect(tsPhoneBook, &PhoneBookTab::sendMessageRequested, tsSMS, &MessagesTab::mnuSendSMSClick);

    connect(N14, &QAction::triggered, tsDateBook, &DateBookTab::sbReadAllEventsClick);
    connect(N15, &QAction::triggered, tsDateBook, &DateBookTab::sbAddEventClick);
    connect(N17, &QAction::triggered, tsDateBook, &DateBookTab::lvEventDblClick);
    connect(N16, &QAction::triggered, tsDateBook, &DateBookTab::sbDeleteEventClick);
    connect(mnuExportICalendar, &QAction::triggered, tsDateBook,
            &DateBookTab::ExportICalendarClick);
    connect(mnuImportICalendar, &QAction::triggered, tsDateBook,
            &DateBookTab::ImportICalendarClick);
}

void TfrmMain::FormCreate() {
    // 1. The glyphs of the speed buttons (warns once when orlinres.dll is missing). A bitmap
    // missing from the container ends the loader, but the buttons before it keep their glyphs.
    try {
        orlin::loadButtonGlyphs(this, glyphs_);
    } catch (...) {
        applyButtonGlyphs();
        throw;
    }
    applyButtonGlyphs();
    // 2. The phonebook tab is the one shown at start.
    PageControl1->setCurrentIndex(PhoneBookPage);
    // 3. Small icons for the phonebook list, the message list and the folder tree.
    orlin::loadSmallIcons(images_);
    tsPhoneBook->ApplySmallIcons();
    tsSMS->ApplySmallIcons();
    // 4. Tab icons.
    orlin::loadTabIcons(images_);
    for (int i = 0; i < PageControl1->count() && i < images_.tabIcons.size(); ++i)
        PageControl1->setTabIcon(i, QIcon(images_.tabIcons[i]));
    // 5. Pop-up icons for the phonebook list's menu.
    orlin::loadPopupIcons(images_);
    tsPhoneBook->ApplyPopupIcons();
    // 6. The entry of the window's system menu, where the platform has one.
    addSystemMenuEntry();
    // 7. The port settings. Without portcfg.ini (every first start) the error box shows the
    // failure and the start-up goes on, so that the window is complete all the same.
    try {
        LoadPortSettings();
    } catch (...) {
        orlin::ShowCurrentException();
    }
    // 8. The terminal's prepared commands.
    tsTerminal->FillCommands();
    // 9.
    RecordConfirmed = false;
    // 10. Two-line captions of the read and write buttons.
    tsPhoneBook->ApplyCaptions();
    // 11. The clock display is off and its fields hidden.
    tsInfo->SwitchClockDisplayOff();
    // 12. Nothing to add to before the phonebook has been read.
    tsPhoneBook->DisableAddUntilRead();
}

void TfrmMain::applyButtonGlyphs() {
    tsInfo->ApplyGlyphs(glyphs_);
    tsPhoneBook->ApplyGlyphs(glyphs_);
    tsDateBook->ApplyGlyphs(glyphs_);
    tsSMS->ApplyGlyphs(glyphs_);
    tsTheme->ApplyGlyphs(glyphs_);
}

void TfrmMain::addSystemMenuEntry() {
#ifdef Q_OS_WIN
    HMENU systemMenu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (systemMenu) InsertMenuW(systemMenu, 4, MF_BYPOSITION | MF_STRING, 0, L"TEXT OF THE MENU");
#endif
}

void TfrmMain::CreateForms() {
    frmCommConfig = new TfrmCommConfig(*this, this);
    AboutBox = new TAboutBox(this);
    frmAddRecord = new TfrmAddRecord(*this, this);
    frmHelp = new TfrmHelp(this);
    frmSaveSMS = new TfrmSaveSMS(this);
    frmAddEvent = new TfrmAddEvent(this);
    frmOption = new TfrmOption(this);
    tsPhoneBook->setDialogs(frmAddRecord, frmOption);
    tsSMS->setDialog(frmSaveSMS);
    tsSMS->setContactOffer([book = tsPhoneBook] { return book->OfferedContacts(); });
    tsDateBook->setDialog(frmAddEvent);
}

int TfrmMain::TabIndexByName(const QString& name) const {
    static const char* const words[] = {"terminal", "info", "phonebook",
                                        "datebook", "sms",  "theme"};
    for (int i = 0; i < PageControl1->count(); ++i) {
        const QWidget* page = PageControl1->widget(i);
        if (name.compare(page->objectName(), Qt::CaseInsensitive) == 0 ||
            name.compare(PageControl1->tabText(i), Qt::CaseInsensitive) == 0 ||
            name.compare(QString::fromLatin1(words[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    if (name.compare(QStringLiteral("messages"), Qt::CaseInsensitive) == 0) return SMSPage;
    return -1;
}

void TfrmMain::mnuSaveTranscriptClick() {
    if (!SaveTranscriptDialog) {
        const QString text = tr("Текст (*.txt)");
        SaveTranscriptDialog = orlin::MakeFileDialog(this, true, {text, tr("Все файлы (*)")}, text,
                                                     QStringLiteral("txt"));
        SaveTranscriptDialog->setObjectName("SaveTranscriptDialog");
        SaveTranscriptDialog->selectFile(QStringLiteral("orlin-transcript.txt"));
    }
    if (SaveTranscriptDialog->exec() != QDialog::Accepted) return;
    const QString path = SaveTranscriptDialog->selectedFiles().value(0);
    if (path.isEmpty()) return;
    orlin::Guarded([this, &path] {
        orlin::transcript::WriteTo(orlin::Utf8Path(path));
        MessageBoxes::information(
            this, tr("Протокол обмена с телефоном сохранён в %1. В нём есть всё, "
                     "что было прочитано из телефона: контакты, события, сообщения.")
                      .arg(QDir::toNativeSeparators(path)));
    });
}

void TfrmMain::LoadPortSettings() {
    orlin::LoadPortSettings(settings_);
}

void TfrmMain::PageControl1Change(int index) {
    const int left = shownTab_;
    shownTab_ = index;
    if (left != index) PageControl1Changing(left);
    if (index == InfoPage) tsInfo->tsInfoShow();
    if (index == SMSPage) tsSMS->tsSMSShow();
}

void TfrmMain::PageControl1Changing(int leftIndex) {
    // Leaving the Info tab switches the clock display off and frees its port.
    if (leftIndex == InfoPage) tsInfo->SwitchClockDisplayOff();
}

void TfrmMain::mnuExitClick() {
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // The clock display holds the busy state for as long as it runs: it simply stops.
    if (tsInfo) tsInfo->SwitchClockDisplayOff();
    if (!busy().isBusy()) {
        QMainWindow::closeEvent(event);
        return;
    }
    // The operation raises at its next pause for events; once it has ended and given the
    // port back, the window closes.
    event->ignore();
    if (orlin::OperationsAbandoned()) return;
    orlin::AbandonOperations();
    connect(&busy(), &BusyState::busyChanged, this, [this](bool nowBusy) {
        if (!nowBusy) QTimer::singleShot(0, this, &QWidget::close);
    });
}

void TfrmMain::mnuFontClick() {
    // The dialog keeps the last confirmed font for the next time; nothing is stored.
    if (FontDialog1->exec() == QDialog::Accepted)
        tsTerminal->SetTerminalFont(FontDialog1->selectedFont());
}

void TfrmMain::mnuPortConfigClick() {
    frmCommConfig->exec();
}

void TfrmMain::mnuHelp2Click() {
    frmHelp->exec();
}

void TfrmMain::mnuAboutClick() {
    // Read afresh at every opening; a record without a translation table shows the error box
    // and the box is not shown.
    orlin::Guarded([this] {
        AboutBox->FillFromVersionRecord(orlin::programFilePath());
        AboutBox->exec();
    });
}

void TfrmMain::N9Click() {
    tsPhoneBook->N2Click();
}
