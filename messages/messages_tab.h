#pragma once
// The messages tab: the folder tree (the phone's four folders and the archive), the message
// list with its pop-up menu, the text of the chosen message and the buttons. The phone
// operations are wired when the message operations exist.

#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
}

class MessagesTab : public QWidget {
    Q_OBJECT
public:
    explicit MessagesTab(WindowContext& context, QWidget* parent = nullptr);

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);
    // Start-up: the small icons of the folder tree and the list.
    void ApplySmallIcons();

    QTreeWidget* tvSMS = nullptr;
    QTreeWidgetItem* nodePhone = nullptr;
    QTreeWidgetItem* nodeInbox = nullptr;
    QTreeWidgetItem* nodeDrafts = nullptr;
    QTreeWidgetItem* nodeArchive = nullptr;
    QTreeWidget* lvSMS = nullptr;
    QLabel* Label7 = nullptr;
    QPlainTextEdit* mmSMS = nullptr;
    QProgressBar* pbReadSMS = nullptr;
    QPushButton* sbSMSNew = nullptr;
    QPushButton* sbSMSSave = nullptr;
    QPushButton* SpeedButton12 = nullptr;  // "Очистить"
    QPushButton* sbDeleteSMS = nullptr;
    QPushButton* sbSMSDeleteAll = nullptr;

    QMenu* pmSMS = nullptr;

    // The state index that tells the tree's nodes apart (0 phone .. 5 archive).
    static int StateIndex(const QTreeWidgetItem* node);

public slots:
    void tsSMSShow();
    void SpeedButton12Click();
    void lvSMSClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidgetItem* nodeOutbox = nullptr;
    QTreeWidgetItem* nodeSent = nullptr;
    QAction* pmSMSRead = nullptr;
    QAction* pmSMSDelete = nullptr;
    QAction* pmSMSNew = nullptr;
    QAction* pmSMSSave = nullptr;
    QAction* pmSendSMS = nullptr;
    QAction* pmSMSClear = nullptr;
    QAction* pmMarkasRead = nullptr;

    WindowContext& context_;
};
