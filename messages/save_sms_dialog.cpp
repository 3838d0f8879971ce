#include "messages/save_sms_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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
    setWindowTitle(QStringLiteral("Новое сообщение"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Получатель:"), this);
    cbAbonents = new QComboBox(this);
    cbAbonents->setObjectName("cbAbonents");
    cbAbonents->setEditable(true);
    cbAbonents->setInsertPolicy(QComboBox::NoInsert);
    cbAbonents->setMaxVisibleItems(8);
    Label1->setBuddy(cbAbonents);
    Label2 = new QLabel(QStringLiteral("Текст сообщения:"), this);
    Label3 = new QLabel(QStringLiteral("Осталось символов: 160"), this);
    Label3->setObjectName("Label3");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setMinimumSize(293, 57);
    Label2->setBuddy(Memo1);

    RadioGroup =
        radioGroup(this, "RadioGroup", QStringLiteral("Действие"),
                   {QStringLiteral("Только сохранение"), QStringLiteral("Сохранить и отправить"),
                    QStringLiteral("Отправить и удалить")},
                   RadioGroupItems);
    rgLanguage =
        radioGroup(this, "rgLanguage", QStringLiteral("Язык сообщения"),
                   {QStringLiteral("английский"), QStringLiteral("русский")}, rgLanguageItems);

    SpeedButton1 = new QPushButton(QStringLiteral("Ok"), this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton2 = new QPushButton(QStringLiteral("Отмена"), this);
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
}
