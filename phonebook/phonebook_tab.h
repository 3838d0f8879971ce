#pragma once
// The phonebook tab: the list of entries read from the phone, its pop-up menu and the
// read / write / add / stop buttons.

#include <QWidget>

class QAction;
class QMenu;
class QProgressBar;
class QToolButton;
class QTreeWidget;
class TfrmAddRecord;
class TfrmOption;
class WindowContext;

class PhoneBookTab : public QWidget {
    Q_OBJECT
public:
    explicit PhoneBookTab(WindowContext& context, QWidget* parent = nullptr);
    ~PhoneBookTab() override;

    // The main window owns the dialogs and hands them over once created.
    void setDialogs(TfrmAddRecord* addRecord, TfrmOption* options);

    QTreeWidget* ListView1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* pmLoadRecord = nullptr;
    QAction* pmSaveBook = nullptr;
    QAction* pmRefresh = nullptr;
    QAction* pmDelete = nullptr;
    QAction* N2 = nullptr;  // "Редактировать"
    QAction* N5 = nullptr;  // "Добавить"
    QAction* mnuSendSMS = nullptr;

    QToolButton* sbReadAll = nullptr;
    QToolButton* sbWriteAll = nullptr;
    QToolButton* sbAddRecord = nullptr;
    QToolButton* sbStop = nullptr;
    QToolButton* SpeedButton3 = nullptr;  // "Очистить"
    QProgressBar* pbFullRecord = nullptr;
    QProgressBar* pbReadAllRecords = nullptr;

signals:
    // "Отправить сообщение" on the list: the messages tab composes to the selected row.
    void sendMessageRequested();

public slots:
    void sbReadAllClick();
    void sbWriteAllClick();
    void sbAddRecordClick();
    void sbStopClick();
    void SpeedButton3Click();
    void N2Click();            // edit the selected row, as the main menu's "Редактировать"
    void N5Click();            // add, as the main menu's "Добавить"
    void ListView1DblClick();
    void pmLoadRecordClick();  // the main menu's "Restore" does the same
    void pmSaveBookClick();    // the main menu's "BackUp" does the same
    void pmRefreshClick();
    void pmDeleteClick();      // the main menu's "Удалить" does the same
    void mnuSendSMSClick();
    void BackUp();
    void Restore();

private:
    WindowContext& context_;
    TfrmAddRecord* addRecord_ = nullptr;
    TfrmOption* options_ = nullptr;
};
