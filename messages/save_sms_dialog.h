#pragma once
// The new-message dialog: recipient, text with the remaining-characters counter, the action
// (store, store and send, send and delete) and the language of the text.

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TfrmSaveSMS : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSaveSMS(QWidget* parent = nullptr);

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
};
