#pragma once
// TfrmMain: the main window with its six tabs, the main menu, the shared state of the
// window (port settings, image lists, sort state) and the dialogs created at start-up.

#include <QFont>
#include <QMainWindow>
#include <memory>

#include "ui/image_library.h"
#include "ui/window_context.h"

class QAction;
class QCloseEvent;
class QFileDialog;
class QFontDialog;
class QMenu;
class QTabWidget;
class DateBookTab;
class InfoTab;
class MessagesTab;
class PhoneBackup;
class PhoneBookTab;
class QtModemManager;
class TAboutBox;
class TerminalTab;
class TfrmAddEvent;
class TfrmAddRecord;
class TfrmCommConfig;
class TfrmHelp;
class TfrmOption;
class TfrmSaveSMS;
class ThemeTab;

class TfrmMain : public QMainWindow, public WindowContext {
    Q_OBJECT
public:
    enum TabIndex { TerminalPage = 0, InfoPage, PhoneBookPage, DateBookPage, SMSPage, ThemePage };

    // Creates the window and runs FormCreate.
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up, step 2 after the main window: the port settings dialog, the About box, the
    // phonebook entry dialog, the help window, the new-message dialog, the event dialog and
    // the options dialog, in this order.
    void CreateForms();

    // The tab for a name: its component name (tsInfo), its caption (Информация) or a plain
    // word (terminal, info, phonebook, datebook, sms, theme), case-insensitive; -1 if none.
    int TabIndexByName(const QString& name) const;

    // WindowContext
    orlin::PortSettings& portSettings() override { return settings_; }
    void LoadPortSettings() override;
    const ImageLists& images() const override { return images_; }
    SharedSortState& sortState() override { return sortState_; }
    bool& KeepRunning() override { return keepRunning_; }

    const orlin::ButtonGlyphs& glyphs() const { return glyphs_; }

    QTabWidget* PageControl1 = nullptr;
    TerminalTab* tsTerminal = nullptr;
    InfoTab* tsInfo = nullptr;
    PhoneBookTab* tsPhoneBook = nullptr;
    PhoneBackup* phoneBackup = nullptr;  // the whole phone into a folder and back
    DateBookTab* tsDateBook = nullptr;
    MessagesTab* tsSMS = nullptr;
    ThemeTab* tsTheme = nullptr;

    TfrmCommConfig* frmCommConfig = nullptr;
    TAboutBox* AboutBox = nullptr;
    TfrmAddRecord* frmAddRecord = nullptr;
    TfrmHelp* frmHelp = nullptr;
    TfrmSaveSMS* frmSaveSMS = nullptr;
    TfrmAddEvent* frmAddEvent = nullptr;
    TfrmOption* frmOption = nullptr;

    QFontDialog* FontDialog1 = nullptr;

    // Main menu.
    QMenu* mnuFile = nullptr;
    QAction* mnuBackUp = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuPhoneBackup = nullptr;  // "Резервная копия всего телефона..."
    QAction* mnuPhoneRestore = nullptr;  // "Восстановить весь телефон..."
    QAction* mnuSaveSMS = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuPhoneBook = nullptr;
    QAction* N6 = nullptr;   // "Добавить"
    QAction* N7 = nullptr;   // "Удалить"
    QAction* N9 = nullptr;   // "Редактировать"
    QAction* N4 = nullptr;   // "Прочитать все"
    QAction* N10 = nullptr;  // "Записать все"
    QAction* mnuExportVCard = nullptr;
    QAction* mnuImportVCard = nullptr;
    QMenu* mnuDateBook = nullptr;
    QAction* N14 = nullptr;  // "Прочитать"
    QAction* N15 = nullptr;  // "Добавить"
    QAction* N17 = nullptr;  // "Редактировать"
    QAction* N16 = nullptr;  // "Удалить"
    // "Экспорт в iCalendar..." and "Импорт из iCalendar...".
    QAction* mnuExportICalendar = nullptr;
    QAction* mnuImportICalendar = nullptr;
    QMenu* mnuSMS = nullptr;
    QAction* N18 = nullptr;  // "Прочитать"
    QAction* N19 = nullptr;  // "Новое"
    QAction* N20 = nullptr;  // "Удалить"
    QAction* N22 = nullptr;  // "Удалить все"
    QMenu* mnuParameters = nullptr;
    QAction* mnuFont = nullptr;
    QAction* mnuPortConfig = nullptr;
    QAction* mnuOption = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelp2 = nullptr;
    QAction* mnuSaveTranscript = nullptr;  // "Сохранить протокол обмена..."
    QAction* mnuAbout = nullptr;
    QFileDialog* SaveTranscriptDialog = nullptr;  // made on first use

    // The result flag of the phonebook entry dialog.
    bool RecordConfirmed = false;

public slots:
    void mnuExitClick();
    void mnuFontClick();
    void mnuPortConfigClick();
    void mnuHelp2Click();
    void mnuAboutClick();
    // Saves the transcript of this run's dialogue with the phone, for a bug report.
    void mnuSaveTranscriptClick();
    void N9Click();

    // The tab `leftIndex` is being left for another.
    void PageControl1Changing(int leftIndex);

protected:
    // Closing while a phone operation runs ends that operation first (its port is released),
    // then the window closes.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // A tab was shown: the tab left is told first, then the new tab's on-show handler runs.
    void PageControl1Change(int index);

private:
    void buildTabs();
    void buildMainMenu();
    void connectMenus();
    void FormCreate();
    void applyButtonGlyphs();
    void addSystemMenuEntry();

    orlin::PortSettings settings_;
    ImageLists images_;
    std::unique_ptr<QtModemManager> modemManager_;
    orlin::ButtonGlyphs glyphs_;
    SharedSortState sortState_;
    bool keepRunning_ = true;
    int shownTab_ = -1;  // the tab shown before the current change
};
