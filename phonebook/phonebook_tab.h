#pragma once
// The phonebook tab: the list of entries read from the phone, its pop-up menu and the
// read / write / add / stop buttons.

#include <QWidget>

class QAction;
class QMenu;
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
    QAction* N2 = nullptr;  // separator
    QAction* N5 = nullptr;  // separator
    QAction* mnuSendSMS = nullptr;

    QToolButton* sbReadAll = nullptr;
    QToolButton* sbWriteAll = nullptr;
    QToolButton* sbAddRecord = nullptr;
    QToolButton* sbStop = nullptr;

public slots:
    void sbReadAllClick();
    void sbWriteAllClick();
    void sbAddRecordClick();
    void sbStopClick();
    void pmLoadRecordClick();  // the main menu's "Restore" does the same
    void pmSaveBookClick();    // the main menu's "BackUp" does the same
    void pmRefreshClick();
    void pmDeleteClick();
    void mnuSendSMSClick();
    void BackUp();
    void Restore();

private:
    WindowContext& context_;
    TfrmAddRecord* addRecord_ = nullptr;
    TfrmOption* options_ = nullptr;
};
