#pragma once
// The event dialog: title, start time and date, alarm state, duration, lead time and repeat
// of one datebook event. Created once at start-up and reused.

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;

class TfrmAddEvent : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddEvent(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* edtEventTitle = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimeEdit* dtpStartTime = nullptr;
    QLabel* Label3 = nullptr;
    QDateEdit* dtpStartDate = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* seDuration = nullptr;
    QLabel* Label7 = nullptr;
    QSpinBox* seAl_time = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cbRepeat = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // "Создать"
    QPushButton* SpeedButton2 = nullptr;  // "Отмена"
};
