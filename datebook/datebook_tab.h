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
namespace orlin {
struct ButtonGlyphs;
}

class DateBookTab : public QWidget {
    Q_OBJECT
public:
    explicit DateBookTab(WindowContext& context, QWidget* parent = nullptr);

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);

    QTreeWidget* lvEvent = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    QCalendarWidget* MonthCalendar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;

    QMenu* pmEvent = nullptr;
    QAction* ppmReadAllEvents = nullptr;
    QAction* ppmEditEvent = nullptr;
    QAction* ppmDelete = nullptr;

public slots:
    void CheckBox1Click();
    void SpeedButton5Click();
    void pmEventPopup();

private:
    QProgressBar* pbReadEvent = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblReadEvent = nullptr;
    QLabel* lblAllEvent = nullptr;
    QPushButton* sbReadAllEvents = nullptr;
    QPushButton* sbAddEvent = nullptr;
    QPushButton* sbDeleteEvent = nullptr;
    QGroupBox* Panel6 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;  // "Применить параметры"
    QAction* ppmAddEvent = nullptr;
    QAction* ppmClear = nullptr;

    WindowContext& context_;
};
