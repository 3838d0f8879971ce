#pragma once
// The datebook tab: the event list, the read / add / delete / clear buttons, the month
// calendar and the automatic-deletion panel, with the list's pop-up menu. The phone
// operations of the buttons are wired when the datebook operations exist.

#include <QWidget>

class QAction;
class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class WindowContext;

class DateBookTab : public QWidget {
    Q_OBJECT
public:
    explicit DateBookTab(WindowContext& context, QWidget* parent = nullptr);

    QTreeWidget* lvEvent = nullptr;
    QProgressBar* pbReadEvent = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblReadEvent = nullptr;
    QLabel* lblAllEvent = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* sbReadAllEvents = nullptr;
    QPushButton* sbAddEvent = nullptr;
    QPushButton* sbDeleteEvent = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    QCalendarWidget* MonthCalendar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QGroupBox* Panel6 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;
    QPushButton* SpeedButton2 = nullptr;  // "Применить параметры"

    QMenu* pmEvent = nullptr;
    QAction* ppmReadAllEvents = nullptr;
    QAction* ppmAddEvent = nullptr;
    QAction* ppmEditEvent = nullptr;
    QAction* ppmDelete = nullptr;
    QAction* ppmClear = nullptr;

public slots:
    void CheckBox1Click();
    void SpeedButton5Click();
    void pmEventPopup();

private:
    WindowContext& context_;
};
