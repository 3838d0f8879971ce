#include "status/terminal_tab.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "status/terminal_commands.h"
#include "ui/orlin_application.h"
#include "ui/phone_text_qt.h"
#include "ui/window_context.h"

namespace {
constexpr int kFrameWidth = 262;
constexpr int kFrameHeight = 86;
constexpr int kButtonHeight = 25;
constexpr int kSendWidth = 120;
}  // namespace

TerminalTab::TerminalTab(WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    mmTerminal = new QPlainTextEdit(this);
    mmTerminal->setObjectName("mmTerminal");
    mmTerminal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmTerminal->setLineWrapMode(QPlainTextEdit::NoWrap);

    Panel5 = new QGroupBox(tr("Описание команды:"), this);
    Panel5->setObjectName("Panel5");
    mmDescriptionCommand = new QPlainTextEdit(Panel5);
    mmDescriptionCommand->setObjectName("mmDescriptionCommand");
    mmDescriptionCommand->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* panelLayout = new QVBoxLayout(Panel5);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(mmDescriptionCommand);

    Bevel2 = new QFrame(this);
    Bevel2->setObjectName("Bevel2");
    Bevel2->setFrameShape(QFrame::StyledPanel);
    Bevel2->setFrameShadow(QFrame::Sunken);

    Label6 = new QLabel(tr("Команда:"), this);
    Label6->setObjectName("Label6");
    cbCommand = new QComboBox(this);
    cbCommand->setObjectName("cbCommand");
    cbCommand->setEditable(true);
    // Enter in the box sends nothing and must not add the typed text to the list.
    cbCommand->setInsertPolicy(QComboBox::NoInsert);
    // The typed text is the command sent: no prepared command is completed into the box.
    cbCommand->setCompleter(nullptr);
    cbCommand->setMaxVisibleItems(20);
    Label6->setBuddy(cbCommand);

    btnSendCommand = new QPushButton(tr("Послать"), this);
    btnSendCommand->setObjectName("btnSendCommand");
    btnSendCommand->setAutoDefault(false);
    sbClear = new QPushButton(tr("Очистить"), this);
    sbClear->setObjectName("sbClear");
    sbClear->setAutoDefault(false);

    // "Послать" is the tab's phone command.
    context_.busy().add(btnSendCommand);

    connect(cbCommand, &QComboBox::activated, this, &TerminalTab::cbCommandClick);
    connect(btnSendCommand, &QPushButton::clicked, this, &TerminalTab::btnSendCommandClick);
    connect(sbClear, &QPushButton::clicked, this, &TerminalTab::sbClearClick);
}

QString TerminalTab::UnsolicitedMark() {
    return tr("[сообщение телефона] ");
}

void TerminalTab::FillCommands() {
    for (const char* command : orlin::TerminalCommands)
        cbCommand->addItem(QString::fromLatin1(command));
    cbCommand->setCurrentIndex(0);
}

void TerminalTab::cbCommandClick(int index) {
    if (index < 0 || index >= orlin::kTerminalCommandCount) return;
    mmDescriptionCommand->setPlainText(QString::fromLatin1(orlin::CommandDescriptions[index]));
}

void TerminalTab::btnSendCommandClick() {
    orlin::GuardedOperation(context_.busy(), [this] {
        context_.LoadPortSettings();
        const std::string text = orlin::ToCp1251(cbCommand->currentText());
        const orlin::TerminalAnswer answer =
            orlin::SendTerminalCommand(context_.portSettings(), text);
        // The answer carries its own CR LF line ends and becomes one more entry of the memo's
        // lines; lines the phone sent of its own accord follow it, marked.
        appendToMemo(orlin::FromCp1251(answer.response));
        for (const std::string& line : answer.unsolicited)
            appendToMemo(UnsolicitedMark() + orlin::FromCp1251(line));
    });
}

void TerminalTab::appendToMemo(const QString& text) {
    QString entry = text;
    entry.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    entry.replace(QChar(u'\r'), QChar(u'\n'));
    QString all = mmTerminal->toPlainText();
    if (!all.isEmpty() && !all.endsWith(QChar(u'\n'))) all += QChar(u'\n');
    all += entry + QChar(u'\n');
    mmTerminal->setPlainText(all);
    mmTerminal->verticalScrollBar()->setValue(mmTerminal->verticalScrollBar()->maximum());
}

void TerminalTab::sbClearClick() {
    mmTerminal->clear();
}

void TerminalTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    // The frame in the bottom-right corner; the buttons and the command box stand in it.
    Bevel2->setGeometry(w - 2 - kFrameWidth, h - 2 - kFrameHeight, kFrameWidth, kFrameHeight);
    const QRect frame = Bevel2->geometry();
    const int buttonTop = frame.bottom() + 1 - 4 - kButtonHeight;
    btnSendCommand->setGeometry(frame.left() + 4, buttonTop, kSendWidth, kButtonHeight);
    sbClear->setGeometry(btnSendCommand->geometry().right() + 1 + 2, buttonTop,
                         frame.right() - 3 - (btnSendCommand->geometry().right() + 2),
                         kButtonHeight);
    cbCommand->setGeometry(frame.left() + 4, buttonTop - (kButtonHeight + 2), kFrameWidth - 8,
                           kButtonHeight);
    Label6->setGeometry(frame.left() + 4, frame.top() + 2, kFrameWidth - 8, 18);
    Panel5->setGeometry(0, frame.top(), frame.left() - 2, frame.height());
    mmTerminal->setGeometry(0, 0, w, Panel5->geometry().top() - 2);
}

void TerminalTab::SetTerminalFont(const QFont& font) {
    mmTerminal->setFont(font);
}

void TerminalTab::SendTyped(const QString& text) {
    cbCommand->setEditText(text);
    btnSendCommand->click();
}
