#pragma once
// The new-message dialog: recipient, text with the remaining-characters counter, the action
// (store, store and send, send and delete) and the language of the text. "Ok" leaves the
// composed AT+CMGW command for the opener.

#include <QDialog>
#include <string>
#include <vector>

#include "messages/message_send.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QIcon;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfrmSaveSMS : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSaveSMS(QWidget* parent = nullptr);

    // A new message to anyone: the recipient box emptied (items and text), then one item per
    // contact with the image of its number type. Text, action and language stay.
    void prepareNew(const std::vector<orlin::Contact>& contacts, const QList<QIcon>& icons);
    // A message to one contact: "Сохранить и отправить", the contact picked in the box.
    void prepareFor(const orlin::Contact& contact, const QIcon& icon);
    // After a message to one contact: "Только сохранение", text, box and contacts emptied.
    void reset();
    // Clears the accepted flag, shows the dialog modally and returns the flag.
    bool execute();

    orlin::SendAction action() const;
    orlin::MessageLanguage language() const;

    QLabel* Label1 = nullptr;
    QComboBox* cbAbonents = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QGroupBox* RadioGroup = nullptr;
    QButtonGroup* RadioGroupItems = nullptr;
    QGroupBox* rgLanguage = nullptr;
    QButtonGroup* rgLanguageItems = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // "Ok"
    QPushButton* SpeedButton2 = nullptr;  // "Отмена"

    // Set by "Ok", read by the opener.
    bool accepted = false;
    orlin::Utf8Text messageText;  // as typed
    std::string encodedText;      // UCS2 hexadecimal
    orlin::Utf8Text recipientNumber;
    std::string composedCommand;
    std::vector<orlin::Contact> contacts;

public slots:
    void Memo1Change();
    void rgLanguageClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Memo1KeyPress: true when the key is taken.
    bool Memo1KeyPress(const class QKeyEvent& key);
    int textLength() const;
};
