#pragma once
// The phonebook tab: the list of entries read from the phone, its pop-up menu, the read,
// write, add, clear and stop buttons, and the phonebook files.

#include <QWidget>
#include <functional>

#include "phonebook/phonebook_rows.h"
#include "phonebook/phonebook_state.h"
#include "ui/contacts.h"

class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmAddRecord;
class TfrmOption;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
class Interaction;
}  // namespace orlin

class PhoneBookTab : public QWidget {
    Q_OBJECT
public:
    explicit PhoneBookTab(WindowContext& context, QWidget* parent = nullptr);
    ~PhoneBookTab() override;

    // The main window owns the dialogs and hands them over once created.
    void setDialogs(TfrmAddRecord* addRecord, TfrmOption* options);

    // Start-up hooks, called by the main window in its order.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);
    void ApplySmallIcons();  // the list shows 16 x 16 type icons
    void ApplyPopupIcons();  // the pop-up menu's icons (24 x 24)
    void ApplyCaptions();    // the two-line captions of the read and write buttons
    // Nothing to add to before the phonebook has been read.
    void DisableAddUntilRead();

    // What the last read (and every change since) left: model, slot table, categories.
    const orlin::PhonebookState& state() const { return state_; }

    QTreeWidget* ListView1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* N2 = nullptr;  // "Редактировать"
    QAction* pmDelete = nullptr;
    QAction* mnuSendSMS = nullptr;
    QAction* pmRefresh = nullptr;
    QAction* N5 = nullptr;  // "Добавить"
    QAction* pmSaveBook = nullptr;
    QAction* pmLoadRecord = nullptr;
    QAction* pmExportVCard = nullptr;  // "Экспорт в vCard..."
    QAction* pmImportVCard = nullptr;  // "Импорт из vCard..."

    // Speed buttons are QToolButtons.
    QToolButton* sbAddRecord = nullptr;
    QToolButton* sbReadAll = nullptr;
    QToolButton* sbWriteAll = nullptr;
    QToolButton* sbStop = nullptr;  // "Остановить": shown while writing all or loading
    QToolButton* SpeedButton3 = nullptr;  // "Очистить"
    QFrame* Bevel1 = nullptr;
    QLabel* Label4 = nullptr;  // "Занято:"
    QProgressBar* pbFullRecord = nullptr;
    QProgressBar* pbReadAllRecords = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* ExportVCardDialog = nullptr;
    QFileDialog* ImportVCardDialog = nullptr;

    // The contacts of the list (name, number, the icon of the number type) in row order: what
    // the messages tab offers as recipients.
    std::vector<OfferedContact> OfferedContacts() const;

signals:
    // "Отправить сообщение" on the list: the messages tab composes to the selected row's
    // contact.
    void sendMessageRequested(const OfferedContact& contact);

public slots:
    void sbReadAllClick();
    void sbWriteAllClick();
    void sbAddRecordClick();
    void sbStopClick();
    void SpeedButton3Click();
    void N2Click();  // edit the selected row, as the main menu's "Редактировать"
    void N5Click();  // add, as the main menu's "Добавить"
    void ListView1DblClick();  // edit the selected row
    void ListView1ColumnClick(int column);
    void PopupMenu1Popup();
    void pmLoadRecordClick();  // the main menu's "Restore" does the same
    void pmSaveBookClick();    // the main menu's "BackUp" does the same
    void pmRefreshClick();
    void pmDeleteClick();  // the main menu's "Удалить" does the same
    void mnuSendSMSClick();
    void BackUp();
    void Restore();
    // vCard files; the main menu's items of the same names do the same.
    void ExportVCardClick();
    void ImportVCardClick();

private:
    static OfferedContact ContactOf(const QTreeWidgetItem* row);
    class Interaction;
    friend class Interaction;

    void buildList();
    void buildButtons();
    void buildMenu();
    void applyColumns(orlin::ModelFamily family);
    bool readAll();  // false when the phone refused the read
    void showRows();
    QTreeWidgetItem* addRow(const orlin::TAbonentInfo& record, orlin::ModelFamily family,
                            const std::string& model);
    void fillRow(QTreeWidgetItem* item, const orlin::TAbonentInfo& record,
                 orlin::ModelFamily family, const std::string& model);
    QTreeWidgetItem* rowOfSlot(int32_t slot) const;
    void updateOccupied();
    void writeOneEntry(bool editing);
    void clearSortMark();
    bool isBusy() const;
    QFileDialog* makeVCardDialog(bool save);
    // Runs `fn` with the tab's questions, progress bar and Stop button, window events pumped.
    void withInteraction(const std::function<void(orlin::Interaction&)>& fn);

    WindowContext& context_;
    TfrmAddRecord* addRecord_ = nullptr;
    TfrmOption* options_ = nullptr;
    orlin::PhonebookState state_;
};
