#pragma once
// The dialog that adds a phonebook entry or edits one. It checks what the user typed and
// builds the AT+MPBW command of the phone's family; the phonebook tab sends it.

#include <QDialog>
#include <QString>
#include <optional>
#include <string>

#include "phonebook/abonent.h"
#include "phonebook/model_family.h"
#include "phonebook/phonebook_state.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowContext;

class TfrmAddRecord : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddRecord(WindowContext& context, QWidget* parent = nullptr);
    ~TfrmAddRecord() override;

    // The texts of the row being edited.
    struct RowTexts {
        QString slot, name, number, typeText, idsText, iconText, groupText;
    };

    // Sets the dialog up for a new entry in a free slot of `state`.
    void prepareAdd(const QString& model, const orlin::PhonebookState& state);
    // Sets the dialog up with the row of the entry being edited.
    void prepareEdit(const QString& model, const orlin::PhonebookState& state, const RowTexts& row);

    // After exec() returned Accepted: the entry and its command.
    const orlin::TAbonentInfo& confirmedRecord() const { return record_; }
    QString PhoneModel;
    std::string MpbwCommand;

    QComboBox* cbRecordNum = nullptr;
    QLineEdit* edtPhoneNumber = nullptr;
    QLineEdit* edtAbonentName = nullptr;
    QComboBox* cbType = nullptr;
    QComboBox* cbIDs = nullptr;
    QComboBox* cbGroup = nullptr;
    QComboBox* cbIcon = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // "Записать"
    QPushButton* SpeedButton2 = nullptr;  // "Отмена"

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void cbRecordNumChange(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;                  // FormShow
    void keyPressEvent(QKeyEvent* event) override;               // FormKeyDown
    bool eventFilter(QObject* watched, QEvent* event) override;  // cbIDsKeyPress

private:
    void FormCreate();
    void FormShow();
    void confirm();
    void fillCommon(const QString& model, const orlin::PhonebookState& state);
    void fillTypes(bool withMailingList, std::optional<int> extraCode, const QString& extraText);
    void setCategoryRowsVisible(bool visible);
    void setPhoneRowsVisible(bool visible);

    WindowContext& context_;
    const orlin::PhonebookState* state_ = nullptr;
    orlin::ModelFamily family_ = orlin::ModelFamily::None;
    std::optional<int32_t> editedSlot_;
    orlin::TAbonentInfo record_;
};
