#include "phonebook/add_record_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/errors.h"
#include "phonebook/code_tables.h"
#include "phonebook/entry_codec.h"
#include "phonebook/phonebook_write.h"
#include "ui/image_library.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/window_context.h"

using orlin::ModelFamily;

namespace {

QStringList Items(const std::vector<orlin::Utf8Text>& texts) {
    QStringList items;
    for (const orlin::Utf8Text& text : texts) items << QString::fromStdString(text);
    return items;
}

}  // namespace

TfrmAddRecord::TfrmAddRecord(WindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(tr("Добавить запись"));
    setModal(true);

    Label1 = new QLabel(tr("Номер записи:"), this);
    cbRecordNum = new QComboBox(this);
    cbRecordNum->setEditable(true);
    cbRecordNum->lineEdit()->setMaxLength(4);
    cbRecordNum->setInsertPolicy(QComboBox::NoInsert);
    // The typed slot is the slot written: no free slot is completed into the box.
    cbRecordNum->setCompleter(nullptr);
    Label2 = new QLabel(tr("Номер телефона:"), this);
    edtPhoneNumber = new QLineEdit(this);
    edtPhoneNumber->setMaxLength(40);
    Label3 = new QLabel(tr("Имя, Фамилия:"), this);
    edtAbonentName = new QLineEdit(this);
    // 24 characters as the phone counts them: any BMP character is one (UCS2).
    edtAbonentName->setMaxLength(24);
    Label4 = new QLabel(tr("Тип:"), this);
    cbType = new QComboBox(this);
    Label5 = new QLabel(QStringLiteral("IDs:"), this);
    cbIDs = new QComboBox(this);
    cbIDs->setEditable(true);
    cbIDs->setInsertPolicy(QComboBox::NoInsert);
    cbIDs->addItems(Items(orlin::IdsItems()));
    cbIDs->lineEdit()->installEventFilter(this);
    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Label6 = new QLabel(tr("Категория:"), this);
    cbGroup = new QComboBox(this);
    cbGroup->setEditable(true);
    cbGroup->setInsertPolicy(QComboBox::NoInsert);
    cbGroup->addItems(Items(orlin::DefaultCategoryItems()));
    cbGroup->setCurrentIndex(0);
    Label7 = new QLabel(tr("Иконка:"), this);
    cbIcon = new QComboBox(this);
    // Editable so that it can show a picture text (16-field family); never typed into.
    cbIcon->setEditable(true);
    cbIcon->lineEdit()->setReadOnly(true);
    cbIcon->setMaxVisibleItems(16);
    Label8 = new QLabel(tr("Модель телефона:"), this);
    SpeedButton1 = new QPushButton(tr("Записать"), this);
    SpeedButton2 = new QPushButton(tr("Отмена"), this);
    SpeedButton1->setAutoDefault(false);
    SpeedButton2->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbRecordNum, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(edtPhoneNumber, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(edtAbonentName, 2, 1);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(cbType, 3, 1);
    grid->addWidget(Label5, 4, 0);
    grid->addWidget(cbIDs, 4, 1);
    grid->addWidget(Bevel1, 5, 0, 1, 2);
    grid->addWidget(Label6, 6, 0);
    grid->addWidget(cbGroup, 6, 1);
    grid->addWidget(Label7, 7, 0);
    grid->addWidget(cbIcon, 7, 1);
    grid->addWidget(Label8, 8, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpeedButton1, &QPushButton::clicked, this, &TfrmAddRecord::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfrmAddRecord::SpeedButton2Click);
    connect(cbRecordNum, &QComboBox::currentTextChanged, this, &TfrmAddRecord::cbRecordNumChange);
    FormCreate();
}

TfrmAddRecord::~TfrmAddRecord() = default;

void TfrmAddRecord::FormCreate() {
    fillTypes(true, std::nullopt, QString());
    const ImageLists& images = context_.images();
    const QStringList icons = Items(orlin::IconItems());
    for (int i = 0; i < icons.size(); ++i) {
        const QIcon icon =
            i <= 14 ? images.small(orlin::SmallIcon::PhonebookIconFirst + i) : QIcon();
        cbIcon->addItem(icon, icons[i]);
    }
    cbIcon->setEditText(QStringLiteral("255"));
}

// The type items 0..6, "Лист рассылки" as item 7 where the model has it, and one more
// item for a row whose type text is none of them, so that editing keeps its type.
void TfrmAddRecord::fillTypes(bool withMailingList, std::optional<int> extraCode,
                              const QString& extraText) {
    const ImageLists& images = context_.images();
    const QStringList items = Items(orlin::TypeItems());
    cbType->clear();
    const int count = withMailingList ? 8 : 7;
    for (int i = 0; i < count; ++i) cbType->addItem(images.small(i), items[i], i);
    if (extraCode) cbType->addItem(extraText, *extraCode);
}

void TfrmAddRecord::setCategoryRowsVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(Label6), static_cast<QWidget*>(Label7),
                       static_cast<QWidget*>(cbGroup), static_cast<QWidget*>(cbIcon),
                       static_cast<QWidget*>(Bevel1)})
        w->setVisible(visible);
}

void TfrmAddRecord::setPhoneRowsVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(cbType), static_cast<QWidget*>(Label4),
                       static_cast<QWidget*>(cbIDs), static_cast<QWidget*>(Label5)})
        w->setVisible(visible);
    const bool categories = visible && orlin::HasCategories(family_);
    for (QWidget* w : {static_cast<QWidget*>(cbGroup), static_cast<QWidget*>(Label6),
                       static_cast<QWidget*>(cbIcon), static_cast<QWidget*>(Label7)})
        w->setVisible(categories);
}

void TfrmAddRecord::fillCommon(const QString& model, const orlin::PhonebookState& state) {
    state_ = &state;
    PhoneModel = model;
    family_ = state.LayoutOfModel(model.toStdString());
    MpbwCommand.clear();
    cbRecordNum->blockSignals(true);
    cbRecordNum->clear();
    for (int32_t slot : orlin::FreeSlots(state.abonents))
        cbRecordNum->addItem(QString::number(slot));
    cbRecordNum->blockSignals(false);
    if (orlin::HasCategories(family_)) {
        cbGroup->clear();
        cbGroup->addItems(Items(state.groupNames));
    }
    Label8->setText(tr("Модель телефона: ") + model);
}

void TfrmAddRecord::prepareAdd(const QString& model, const orlin::PhonebookState& state) {
    editedSlot_.reset();
    fillCommon(model, state);
    setWindowTitle(tr("Добавление записи..."));
    // Only the models with categories have mailing lists (type 7).
    fillTypes(orlin::HasCategories(family_), std::nullopt, QString());
    if (cbRecordNum->count() > 0) cbRecordNum->setCurrentIndex(0);
    cbRecordNumChange(cbRecordNum->currentText());
    edtPhoneNumber->clear();
    edtAbonentName->clear();
    cbType->setCurrentIndex(2);
    cbIDs->setCurrentIndex(cbIDs->count() - 1);
    if (family_ == ModelFamily::Fields13) {
        cbIcon->setEnabled(true);
        cbIcon->setCurrentIndex(cbIcon->count() - 1);
        cbGroup->setCurrentIndex(0);
    } else if (family_ == ModelFamily::Fields16) {
        cbIcon->setCurrentIndex(-1);
        cbIcon->setEditText(QString::fromStdString(orlin::NoIconText()));
        cbIcon->setEnabled(false);
        cbGroup->setCurrentIndex(0);
    }
}

void TfrmAddRecord::prepareEdit(const QString& model, const orlin::PhonebookState& state,
                                const RowTexts& row) {
    editedSlot_ = row.slot.toInt();
    fillCommon(model, state);
    setWindowTitle(tr("Изменение записи..."));
    cbRecordNum->setEditText(row.slot);
    cbRecordNumChange(row.slot);
    edtAbonentName->setText(row.name);
    edtPhoneNumber->setText(row.number);

    // The type item with the row's text ("E-Mail" selects "E-mail"). Only the models with
    // categories have mailing lists (type 7).
    const bool mailingList = orlin::HasCategories(family_);
    fillTypes(mailingList, std::nullopt, QString());
    int typeItem = -1;
    for (int i = 0; i < cbType->count(); ++i)
        if (cbType->itemText(i).compare(row.typeText, Qt::CaseInsensitive) == 0) typeItem = i;
    if (typeItem < 0) {
        // A text no item has ("SIM", which T720 and T720i show for type 7 and the models with
        // categories for type 8): an item of its own that keeps the entry's type code.
        const orlin::TAbonentInfo* record = orlin::SlotRecord(state.abonents, *editedSlot_);
        fillTypes(mailingList, record ? record->NumberType : 2, row.typeText);
        typeItem = cbType->count() - 1;
    }
    cbType->setCurrentIndex(typeItem);

    // The row's IDs stay as they are.
    cbIDs->setEditText(row.idsText);

    if (family_ == ModelFamily::Fields13) {
        int icon = cbIcon->findText(row.iconText);
        cbIcon->setCurrentIndex(icon >= 0 ? icon : cbIcon->count() - 1);
        cbIcon->setEnabled(true);
    } else if (family_ == ModelFamily::Fields16) {
        cbIcon->setCurrentIndex(-1);
        cbIcon->setEditText(row.iconText.isEmpty() ? QString::fromStdString(orlin::NoIconText())
                                                   : row.iconText);
        cbIcon->setEnabled(false);
    }
    if (orlin::HasCategories(family_)) {
        // The entry's own category by its number: the phone may leave a category unnamed
        // or give two the same name, and the row's text then names the wrong one.
        const orlin::TAbonentInfo* record = orlin::SlotRecord(state.abonents, *editedSlot_);
        int group = -1;
        if (record && !record->IsFree() && record->Category >= 1 &&
            record->Category <= cbGroup->count())
            group = record->Category - 1;
        if (group < 0 && !row.groupText.isEmpty()) group = cbGroup->findText(row.groupText);
        cbGroup->setCurrentIndex(group >= 0 ? group : 0);
    }
}

void TfrmAddRecord::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

// The IDs box is not reset here: adding selects "По умолчанию" itself, and editing keeps the
// row's value.
void TfrmAddRecord::FormShow() {
    if (family_ == ModelFamily::Fields9)
        setCategoryRowsVisible(false);
    else if (orlin::HasCategories(family_))
        setCategoryRowsVisible(true);
    cbRecordNumChange(cbRecordNum->currentText());
    edtAbonentName->setFocus();
}

void TfrmAddRecord::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            SpeedButton2Click();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            SpeedButton1Click();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

// Only digits and backspace reach the IDs box, two digits at most; a digit typed over one
// of the item texts starts a number.
bool TfrmAddRecord::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbIDs->lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) return false;
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
            key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab ||
            key->key() == Qt::Key_Backtab || key->text().isEmpty())
            return false;
        const QString text = key->text();
        if (text.size() != 1 || !text[0].isDigit() || text[0].unicode() > '9') return true;
        QLineEdit* edit = cbIDs->lineEdit();
        QString current = edit->text();
        bool numeric = !current.isEmpty();
        for (QChar c : current) numeric = numeric && c.isDigit();
        if (!numeric) {
            edit->setText(text);
            return true;
        }
        if (current.size() - edit->selectedText().size() >= 2) return true;
        return false;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAddRecord::cbRecordNumChange(const QString& text) {
    if (!state_) return;
    bool ok = false;
    const int slot = text.toInt(&ok);
    if (!ok) return;
    setPhoneRowsVisible(slot < state_->ranges.SimFirstIndex);
}

// "Записать" (and Enter): a failure shows the error box and the dialog stays open.
void TfrmAddRecord::SpeedButton1Click() {
    orlin::Guarded([this] { confirm(); });
}

void TfrmAddRecord::confirm() {
    // A category the phone reports without a name is still a choice; the box of a model
    // without categories is hidden and not asked for.
    const bool categories = orlin::HasCategories(family_);
    const bool groupChosen =
        !cbGroup->currentText().isEmpty() ||
        (cbGroup->currentIndex() >= 0 && cbGroup->itemText(cbGroup->currentIndex()).isEmpty());
    if (cbRecordNum->currentText().isEmpty() || cbIDs->currentText().isEmpty() ||
        (categories && !groupChosen) || cbType->currentText().isEmpty() ||
        edtPhoneNumber->text().isEmpty() || edtAbonentName->text().isEmpty()) {
        MessageBoxes::error(this, tr("Необходимо заполнить все поля!"));
        return;
    }
    if (family_ == ModelFamily::None) {
        MessageBoxes::error(this, tr("Модель телефона не поддерживается: ") + PhoneModel);
        return;
    }
    orlin::EntryDraft draft;
    draft.slotText = (cbRecordNum->currentText()).toStdString();
    draft.number = (edtPhoneNumber->text()).toStdString();
    draft.name = (edtAbonentName->text()).toStdString();
    draft.typeItem = cbType->currentData().toInt();
    draft.idsText = (cbIDs->currentText()).toStdString();
    // The selected item when the box still shows its text (two categories may share a name);
    // a typed text names the first category with that name, or none.
    const int groupIndex = cbGroup->currentIndex();
    draft.groupItem = groupIndex >= 0 && cbGroup->itemText(groupIndex) == cbGroup->currentText()
                          ? groupIndex
                          : cbGroup->findText(cbGroup->currentText());
    draft.iconItem = cbIcon->findText(cbIcon->currentText());
    draft.iconText = (cbIcon->currentText()).toStdString();

    orlin::TAbonentInfo record;
    try {
        record = orlin::RecordFromDraft(draft, family_);
    } catch (const orlin::OrlinError& e) {
        MessageBoxes::error(this, orlin::ErrorBoxText(QString::fromStdString(e.what())));
        return;
    }
    const int32_t slotCount = static_cast<int32_t>(state_ ? state_->abonents.size() : 0);
    if (record.Index < 1 || record.Index > slotCount) {
        MessageBoxes::error(this, tr("Номер записи должен быть от 1 до %1.").arg(slotCount));
        return;
    }
    const orlin::TAbonentInfo& occupant = state_->abonents[static_cast<size_t>(record.Index) - 1];
    if (!occupant.IsFree() && record.Index != editedSlot_.value_or(0)) {
        const QString question = tr("Запись %1 занята (%2). Заменить её?")
                                     .arg(record.Index)
                                     .arg(QString::fromStdString(occupant.Name));
        if (!MessageBoxes::warningYesNo(this, question)) return;
    }
    record_ = record;
    MpbwCommand = orlin::BuildMpbwCommand(family_, record);
    cbIcon->setEnabled(true);
    accept();
}

void TfrmAddRecord::SpeedButton2Click() {
    reject();
}
