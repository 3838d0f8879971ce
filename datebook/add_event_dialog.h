#pragma once
// The event dialog: title, start time and date, alarm state, duration, lead time and repeat
// of one datebook event. Created once at start-up and reused: its controls keep their values
// from one use to the next unless adding or editing presets them. On "Создать" it builds the
// "AT+MDBW=" command for the slot the caller chose; the caller sends it.

#include <QDialog>
#include <QList>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "datebook/datebook_write.h"

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

    // Adding: today, now and weekly repetition; the title, status, duration and lead stay.
    void PresetForAdd();
    // Editing: every control from the row's values; a status the row does not know stays, a
    // repeat code outside 0..5 leaves the box without a choice and is written back as it is
    // unless the user picks an item. A value the user leaves alone is written back as the
    // phone had it.
    void PresetForEdit(const orlin::EditValues& values);
    // The longest title the phone takes (0: no limit).
    void SetTitleLength(int characters);
    // What the controls hold, as the command would be built from them.
    orlin::EventDraft Draft() const;

    bool Accepted = false;
    std::string WriteCommand;  // the complete "AT+MDBW=" command built on confirmation
    orlin::Utf8Text Title;     // the title it writes
    std::string RepeatCode;    // the chosen repeat item's position, or the row's own raw code
    int EventIndex = 0;        // the slot to write
    std::vector<uint8_t>
        SlotUsed;  // 1 per used (or unknown) slot, 0 per free one, by the last read

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

public slots:
    void SpeedButton1Click();  // confirm
    void SpeedButton2Click();  // cancel
    void cbRepeatChange(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> enterChain() const;  // the controls Enter walks through, in order

    // The event being edited and what the controls showed of it: a duration or lead beyond
    // what the spin boxes take (2880 minutes, say) and an untimed event's time flag stay as
    // the phone had them unless the user changes them, and so do the extended line's fields.
    std::optional<orlin::EventDraft> edited_;
    size_t titleLength_ = 0;  // the phone's limit in UCS2 characters (0: none)
    int shownDuration_ = 0;
    int shownLead_ = 0;
    QTime shownTime_;
};
