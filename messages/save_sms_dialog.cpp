#include "messages/save_sms_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "link/phone_text.h"
#include "ui/message_boxes.h"
#include "ui/phone_text_qt.h"

using orlin::ToCp1251;

namespace {

QGroupBox* radioGroup(QWidget* parent, const char* name, const QString& caption,
                      const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

}  // namespace

TfrmSaveSMS::TfrmSaveSMS(QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmSaveSMS");
    setWindowTitle(tr("Новое сообщение"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Label1 = new QLabel(tr("Получатель:"), this);
    cbAbonents = new QComboBox(this);
    cbAbonents->setObjectName("cbAbonents");
    cbAbonents->setEditable(true);
    cbAbonents->setInsertPolicy(QComboBox::NoInsert);
    cbAbonents->setMaxVisibleItems(8);
    Label1->setBuddy(cbAbonents);
    Label2 = new QLabel(tr("Текст сообщения:"), this);
    Label3 = new QLabel(tr("Осталось символов: 160"), this);
    Label3->setObjectName("Label3");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setMinimumSize(293, 57);
    Label2->setBuddy(Memo1);

    RadioGroup = radioGroup(
        this, "RadioGroup", tr("Действие"),
        {tr("Только сохранение"), tr("Сохранить и отправить"), tr("Отправить и удалить")},
        RadioGroupItems);
    rgLanguage = radioGroup(this, "rgLanguage", tr("Язык сообщения"),
                            {tr("английский"), tr("русский")}, rgLanguageItems);

    SpeedButton1 = new QPushButton(QStringLiteral("Ok"), this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton2 = new QPushButton(tr("Отмена"), this);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setAutoDefault(false);

    auto* textHead = new QHBoxLayout();
    textHead->addWidget(Label2);
    textHead->addStretch(1);
    textHead->addWidget(Label3);
    auto* groups = new QHBoxLayout();
    groups->addWidget(RadioGroup, 1);
    groups->addWidget(rgLanguage);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(Label1);
    layout->addWidget(cbAbonents);
    layout->addLayout(textHead);
    layout->addWidget(Memo1);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(303, 217)));

    Memo1->setTabChangesFocus(true);
    Memo1->installEventFilter(this);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TfrmSaveSMS::Memo1Change);
    // Only a change of the language empties the text: a click on the chosen one keeps it.
    connect(rgLanguageItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) rgLanguageClick();
    });
    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmSaveSMS::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmSaveSMS::SpeedButton2Click);
}

void TfrmSaveSMS::prepareNew(const std::vector<orlin::Contact>& offer, const QList<QIcon>& icons) {
    contacts = offer;
    cbAbonents->clear();
    for (size_t i = 0; i < offer.size(); ++i)
        cbAbonents->addItem(
            i < static_cast<size_t>(icons.size()) ? icons[static_cast<int>(i)] : QIcon(),
            QString::fromStdString(offer[i].name));
    cbAbonents->setCurrentIndex(-1);
    cbAbonents->setEditText(QString());
}

void TfrmSaveSMS::prepareFor(const orlin::Contact& contact, const QIcon& icon) {
    RadioGroupItems->button(static_cast<int>(orlin::SendAction::StoreAndSend))->setChecked(true);
    contacts = {contact};
    cbAbonents->clear();
    cbAbonents->addItem(icon, QString::fromStdString(contact.name));
    cbAbonents->setCurrentIndex(0);
    cbAbonents->setEditText(QString::fromStdString(contact.name));
}

void TfrmSaveSMS::reset() {
    RadioGroupItems->button(static_cast<int>(orlin::SendAction::StoreOnly))->setChecked(true);
    Memo1->clear();
    cbAbonents->clear();
    cbAbonents->setEditText(QString());
    contacts.clear();
}

bool TfrmSaveSMS::execute() {
    accepted = false;
    exec();
    return accepted;
}

orlin::SendAction TfrmSaveSMS::action() const {
    return static_cast<orlin::SendAction>(RadioGroupItems->checkedId());
}

orlin::MessageLanguage TfrmSaveSMS::language() const {
    return static_cast<orlin::MessageLanguage>(rgLanguageItems->checkedId());
}

// The characters of the text as the phone counts them (an emoji is one).
int TfrmSaveSMS::textLength() const {
    return static_cast<int>(orlin::Ucs2Length(Memo1->toPlainText().toStdString()));
}

void TfrmSaveSMS::Memo1Change() {
    const int left = orlin::TextLimit(language()) - textLength();
    Label3->setText(tr("Осталось символов: %1").arg(left));
}

bool TfrmSaveSMS::Memo1KeyPress(const QKeyEvent& key) {
    // Shortcuts (paste, copy, select all) and keys without a character (arrows) are not
    // typing; Backspace and Delete always pass.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
    char code = 0;
    if (key.key() == Qt::Key_Backspace)
        code = orlin::kBackspaceKey;
    else if (key.key() == Qt::Key_Delete)
        code = orlin::kDeleteKey;
    else if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        code = '\r';
    else if (key.text().isEmpty())
        return true;
    else
        // The filter knows the Windows-1251 keys: any other character (a Greek or a Polish
        // letter) comes as '?', which both languages take.
        code = ToCp1251(key.text().left(1)).front();
    return orlin::FilterKey(language(), textLength(), code) == orlin::KeyVerdict::Accept;
}

bool TfrmSaveSMS::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress)
        return !Memo1KeyPress(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void TfrmSaveSMS::rgLanguageClick() {
    Memo1->clear();
    Label3->setText(tr("Осталось символов: %1").arg(orlin::TextLimit(language())));
    Memo1->setFocus();
}

void TfrmSaveSMS::SpeedButton2Click() {
    reject();
}

void TfrmSaveSMS::SpeedButton1Click() {
    const QString recipient = cbAbonents->currentText();
    if (recipient.isEmpty()) {
        MessageBoxes::warning(this, tr("Введите номер для отправки"));
        return;
    }
    if (Memo1->toPlainText().isEmpty()) {
        MessageBoxes::information(this, tr("Сообщение пустое..."));
        return;
    }
    // A pasted text can pass the counter; the phone would refuse it without a reason.
    const int length = textLength();
    if (length > orlin::TextLimit(language())) {
        MessageBoxes::warning(this, QString::fromStdString(orlin::TooLongText(length, language())));
        return;
    }
    // The picked contact counts while the box still shows its name.
    const int picked = cbAbonents->currentIndex();
    std::optional<size_t> pickedContact;
    if (picked >= 0 && cbAbonents->itemText(picked) == recipient)
        pickedContact = static_cast<size_t>(picked);
    const orlin::Utf8Text number =
        orlin::ResolveRecipient(recipient.toStdString(), pickedContact, contacts);
    if (!orlin::RecipientAllowed(number)) {
        MessageBoxes::warning(this, tr("Номер содержит недопустимые символы."));
        return;
    }
    messageText = Memo1->toPlainText().toStdString();
    // An emoji cannot go to the phone: it is said before the message goes, not replaced in
    // silence.
    const orlin::Utf8Text beyond = orlin::MessageBeyondUcs2Text(messageText);
    if (!beyond.empty()) MessageBoxes::warning(this, QString::fromStdString(beyond));
    accepted = true;
    encodedText = orlin::EncodeUcs2(messageText);
    recipientNumber = number;
    composedCommand = orlin::ComposeCommand(recipientNumber, encodedText);
    accept();
}
