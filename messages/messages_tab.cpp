#include "messages/messages_tab.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>

#include "ui/image_library.h"
#include "ui/window_context.h"

namespace {

constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 32;
constexpr int kMemoHeight = 90;
constexpr int kStateRole = Qt::UserRole + 1;

// Icons of the nodes in the small-icon list: normal and selected.
struct NodeIcons {
    int normal;
    int selected;
};
constexpr NodeIcons kNodeIcons[] = {{32, 32}, {26, 27}, {28, 29}, {33, 33}, {30, 30}, {31, 31}};

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setIconSize(QSize(16, 16));
    return b;
}

}  // namespace

MessagesTab::MessagesTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    tvSMS = new QTreeWidget(this);
    tvSMS->setObjectName("tvSMS");
    tvSMS->setHeaderHidden(true);
    tvSMS->setRootIsDecorated(false);
    tvSMS->setItemsExpandable(false);
    tvSMS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvSMS->setMouseTracking(true);  // hot tracking
    auto node = [this](QTreeWidgetItem* parentNode, const QString& caption, int state) {
        auto* item = parentNode ? new QTreeWidgetItem(parentNode, {caption})
                                : new QTreeWidgetItem(tvSMS, {caption});
        item->setData(0, kStateRole, state);
        return item;
    };
    nodePhone = node(nullptr, QStringLiteral("Телефон"), 0);
    nodeInbox = node(nodePhone, QStringLiteral("Входящие"), 1);
    nodeOutbox = node(nodePhone, QStringLiteral("Исходящие"), 2);
    nodeSent = node(nodePhone, QStringLiteral("Отправленные"), 3);
    nodeDrafts = node(nodePhone, QStringLiteral("Черновики"), 4);
    nodeArchive = node(nullptr, QStringLiteral("Архив"), 5);

    lvSMS = new QTreeWidget(this);
    lvSMS->setObjectName("lvSMS");
    lvSMS->setRootIsDecorated(false);
    lvSMS->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvSMS->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSMS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSMS->setAllColumnsShowFocus(true);
    lvSMS->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Номер"),
                            QStringLiteral("Дата/Время"), QStringLiteral("Тип"),
                            QStringLiteral("Размер"), QStringLiteral("Статус"),
                            QStringLiteral("Тема")});
    lvSMS->header()->setMinimumSectionSize(1);
    const int widths[] = {1, 100, 120, 85, 60, 90, 300};
    for (int i = 0; i < 7; ++i) lvSMS->setColumnWidth(i, widths[i]);
    for (int centred : {2, 3, 4, 5})
        lvSMS->headerItem()->setTextAlignment(centred, Qt::AlignCenter);
    lvSMS->setContextMenuPolicy(Qt::CustomContextMenu);

    Label7 = new QLabel(QStringLiteral("Текст сообщения"), this);
    Label7->setObjectName("Label7");
    mmSMS = new QPlainTextEdit(this);
    mmSMS->setObjectName("mmSMS");
    mmSMS->setReadOnly(true);
    pbReadSMS = new QProgressBar(this);
    pbReadSMS->setObjectName("pbReadSMS");
    pbReadSMS->setValue(0);
    pbReadSMS->setTextVisible(false);

    sbSMSNew = button(this, "sbSMSNew", QStringLiteral("Новое"));
    sbSMSSave = button(this, "sbSMSSave", QStringLiteral("Сохранить"));
    SpeedButton12 = button(this, "SpeedButton12", QStringLiteral("Очистить"));
    sbDeleteSMS = button(this, "sbDeleteSMS", QStringLiteral("Удалить"));
    sbSMSDeleteAll = button(this, "sbSMSDeleteAll", QStringLiteral("Удалить все"));

    pmSMS = new QMenu(this);
    pmSMS->setObjectName("pmSMS");
    pmSMSRead = pmSMS->addAction(QStringLiteral("Прочитать"));
    pmSMSDelete = pmSMS->addAction(QStringLiteral("Удалить"));
    pmSMSNew = pmSMS->addAction(QStringLiteral("Новое"));
    pmSMSSave = pmSMS->addAction(QStringLiteral("Сохранить"));
    pmSendSMS = pmSMS->addAction(QStringLiteral("Отправить"));
    pmSMSClear = pmSMS->addAction(QStringLiteral("Очистить"));
    pmMarkasRead = pmSMS->addAction(QStringLiteral("Mark as Read"));
    connect(lvSMS, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { pmSMS->popup(lvSMS->viewport()->mapToGlobal(pos)); });

    connect(SpeedButton12, &QPushButton::clicked, this, &MessagesTab::SpeedButton12Click);
    connect(pmSMSClear, &QAction::triggered, this, &MessagesTab::SpeedButton12Click);
    connect(lvSMS, &QTreeWidget::itemSelectionChanged, this, &MessagesTab::lvSMSClick);
}

int MessagesTab::StateIndex(const QTreeWidgetItem* node) {
    return node ? node->data(0, kStateRole).toInt() : -1;
}

void MessagesTab::ApplySmallIcons() {
    const ImageLists& images = context_.images();
    const QTreeWidgetItem* nodes[] = {nodePhone, nodeInbox,  nodeOutbox,
                                      nodeSent,  nodeDrafts, nodeArchive};
    for (int i = 0; i < 6; ++i) {
        QIcon icon = images.small(kNodeIcons[i].normal);
        if (kNodeIcons[i].selected != kNodeIcons[i].normal) {
            const QIcon selected = images.small(kNodeIcons[i].selected);
            if (!selected.isNull()) icon.addPixmap(selected.pixmap(16, 16), QIcon::Selected);
        }
        const_cast<QTreeWidgetItem*>(nodes[i])->setIcon(0, icon);
    }
    tvSMS->setIconSize(QSize(16, 16));
    lvSMS->setIconSize(QSize(16, 16));
}

void MessagesTab::tsSMSShow() {
    tvSMS->expandAll();
}

void MessagesTab::SpeedButton12Click() {
    lvSMS->clear();
    mmSMS->clear();
    nodeInbox->setText(0, QStringLiteral("Входящие"));
    nodeOutbox->setText(0, QStringLiteral("Исходящие"));
    nodeSent->setText(0, QStringLiteral("Отправленные"));
    nodeDrafts->setText(0, QStringLiteral("Черновики"));
}

void MessagesTab::lvSMSClick() {
    const QList<QTreeWidgetItem*> selected = lvSMS->selectedItems();
    mmSMS->setPlainText(selected.isEmpty() ? QString() : selected.first()->text(6));
}

void MessagesTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    // The five buttons stacked upwards from the bottom edge at the left.
    QPushButton* stack[] = {sbSMSDeleteAll, sbDeleteSMS, SpeedButton12, sbSMSSave, sbSMSNew};
    int bottom = h - 2;
    for (QPushButton* b : stack) {
        b->setGeometry(2, bottom - kButtonHeight, kButtonWidth, kButtonHeight);
        bottom = b->geometry().top() - 2;
    }
    pbReadSMS->setGeometry(2, bottom - 14, kButtonWidth, 14);
    tvSMS->setGeometry(2, 2, kButtonWidth, pbReadSMS->geometry().top() - 2 - 2);
    // The text memo and the list on the right, as wide as the window less the buttons.
    const int left = kButtonWidth + 6;
    const int memoWidth = w - kButtonWidth - 6 - 2;
    mmSMS->setGeometry(left, h - 2 - kMemoHeight, memoWidth, kMemoHeight);
    const int labelHeight = Label7->sizeHint().height();
    Label7->setGeometry(left, mmSMS->geometry().top() - 2 - labelHeight, memoWidth, labelHeight);
    lvSMS->setGeometry(left, 2, memoWidth, Label7->geometry().top() - 2 - 2);
}

void MessagesTab::ApplyGlyphs(const orlin::ButtonGlyphs& glyphs) {
    glyphs.apply("SB_05", SpeedButton12);
    glyphs.apply("SB_08", sbDeleteSMS);
    glyphs.apply("SB_09", sbSMSNew);
    glyphs.apply("SB_10", sbSMSSave);
}
