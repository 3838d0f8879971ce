#pragma once
// The messages tab: the folder tree (the phone's four folders and the archive), the search
// field, the message list with its pop-up menu, the text of the chosen message and the
// buttons. Handlers read the widgets, call the message core and show what comes back.

#include <QWidget>
#include <string>
#include <vector>

#include "messages/message_delete.h"
#include "messages/message_folders.h"
#include "messages/message_rows.h"
#include "messages/message_send.h"
#include "ui/contacts.h"

class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmSaveSMS;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
}

class MessagesTab : public QWidget {
    Q_OBJECT
public:
    explicit MessagesTab(WindowContext& context, QWidget* parent = nullptr);

    // The main window hands over the new-message dialog once created, and the contacts the
    // phonebook offers as recipients.
    void setDialog(TfrmSaveSMS* dialog) { dialog_ = dialog; }
    void setContactOffer(ContactOffer offer) { contactOffer_ = std::move(offer); }

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);
    // Start-up: the small icons of the folder tree and the list.
    void ApplySmallIcons();

    QTreeWidget* tvSMS = nullptr;
    QTreeWidgetItem* nodePhone = nullptr;
    QTreeWidgetItem* nodeInbox = nullptr;
    QTreeWidgetItem* nodeOutbox = nullptr;
    QTreeWidgetItem* nodeSent = nullptr;
    QTreeWidgetItem* nodeDrafts = nullptr;
    QTreeWidgetItem* nodeArchive = nullptr;
    QTreeWidget* lvSMS = nullptr;
    QLineEdit* edtSearch = nullptr;  // "Поиск"
    QLabel* Label7 = nullptr;
    QPlainTextEdit* mmSMS = nullptr;
    QProgressBar* pbReadSMS = nullptr;
    QPushButton* sbSMSNew = nullptr;
    QPushButton* sbSMSSave = nullptr;
    QPushButton* SpeedButton12 = nullptr;  // "Очистить"
    QPushButton* sbDeleteSMS = nullptr;
    QPushButton* sbSMSDeleteAll = nullptr;
    QFileDialog* SaveDialog1 = nullptr;  // the export's file

    QMenu* pmSMS = nullptr;
    QAction* pmSMSRead = nullptr;
    QAction* pmSMSDelete = nullptr;
    QAction* pmSMSNew = nullptr;
    QAction* pmSMSSave = nullptr;
    QAction* pmSendSMS = nullptr;
    QAction* pmSMSClear = nullptr;
    QAction* pmMarkasRead = nullptr;

    // The state index that tells the tree's nodes apart (0 phone .. 5 archive).
    static int StateIndex(const QTreeWidgetItem* node);

signals:
    // "Прочитать" is available exactly when a folder node is selected (the main menu's N18
    // follows the pop-up's pmSMSRead).
    void readAvailableChanged(bool available);

public slots:
    void tsSMSShow();
    void tvSMSClick();
    void pmSMSReadClick();
    void N18Click();
    void SpeedButton12Click();
    void lvSMSClick();
    void lvSMSColumnClick(int column);
    void pmSMSPopup();
    void edtSearchChange();
    // Composing and sending.
    void sbSMSNewClick();
    void pmSMSNewClick();
    void N19Click();
    // The phonebook list's "Отправить сообщение", to the contact of its selected row.
    void mnuSendSMSClick(const OfferedContact& contact);
    void pmSendSMSClick();
    // Deleting, marking, exporting, clearing.
    void sbDeleteSMSClick();
    void pmSMSDeleteClick();
    void N20Click();
    void sbSMSDeleteAllClick();
    void N22Click();
    void pmMarkasReadClick();
    void sbSMSSaveClick();
    void pmSMSSaveClick();
    void pmSMSClearClick();

    // Wide enough for the folder captions and every column of the list.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildList();
    void buildButtons();
    int leftWidth() const;
    void buildMenu();
    void readNode(QTreeWidgetItem* node);
    void ReadMessageFolder(orlin::MessageFolder folder);
    void ShowMessageArchive();
    void showWarnings(const orlin::FolderReport& report);
    QTreeWidgetItem* addRow(const orlin::MessageRow& row);
    static orlin::MessageRow rowOf(const QTreeWidgetItem* item);
    void showStatus(QTreeWidgetItem* item, const orlin::MessageRow& row);
    void lvSMSCustomDrawSubItem(QTreeWidgetItem* item);
    bool matchesSearch(const QTreeWidgetItem* item) const;
    // The selected rows the search leaves visible, in list order; and every visible row.
    std::vector<QTreeWidgetItem*> selectedRows() const;
    std::vector<QTreeWidgetItem*> visibleRows() const;
    void compose(const OfferedContact* contact);
    void deleteSelected();
    void deleteAll();
    static std::vector<std::string> indexesOf(const std::vector<QTreeWidgetItem*>& rows);
    static void removeDeleted(const std::vector<QTreeWidgetItem*>& rows,
                              const orlin::MessagesChange& change);
    void exportSelected(const QString& path);

    WindowContext& context_;
    TfrmSaveSMS* dialog_ = nullptr;
    ContactOffer contactOffer_;
};
