#pragma once
// The datebook tab: the event list read from the phone, the read / add / delete / clear
// buttons, the month calendar with the days that hold an event in bold, the automatic-
// deletion panel, the list's pop-up menu, and the exchange with iCalendar files. Every phone
// operation holds the window's busy state; the work itself is the datebook core's.

#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "datebook/datebook_event.h"
#include "link/list_change.h"

class QAction;
class QButtonGroup;
class QCalendarWidget;
class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmAddEvent;
class WindowContext;
namespace orlin {
struct ButtonGlyphs;
struct DatebookReport;
}  // namespace orlin

class DateBookTab : public QWidget {
    Q_OBJECT
public:
    explicit DateBookTab(WindowContext& context, QWidget* parent = nullptr);
    ~DateBookTab() override;

    // Wide enough for every column of the list beside the calendar.
    QSize sizeHint() const override;

    // The main window owns the event dialog and hands it over once created.
    void setDialog(TfrmAddEvent* dialog);

    // Start-up: the glyphs of the tab's buttons.
    void ApplyGlyphs(const orlin::ButtonGlyphs& glyphs);

    // The order of two rows by a column (negative, 0, positive); descending lists negate it.
    static int lvEventCompare(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int column);

    // The events the list shows, in list order, each with the alarm date its row keeps.
    std::vector<orlin::DatebookEvent> listedEvents() const;

    QTreeWidget* lvEvent = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    QCalendarWidget* MonthCalendar1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    // "Быстрое чтение": the read stops once the events the phone says it holds are found;
    // remembered between runs (orlin.ini).
    QCheckBox* cbQuickRead = nullptr;
    QButtonGroup* RadioGroup1Items = nullptr;

    QMenu* pmEvent = nullptr;
    QAction* ppmReadAllEvents = nullptr;
    QAction* ppmEditEvent = nullptr;
    QAction* ppmDelete = nullptr;

public slots:
    void sbReadAllEventsClick();
    void sbAddEventClick();
    void lvEventDblClick();  // edit the selected row; the main menu's "Редактировать" too
    void ppmEditEventClick();   // runs lvEventDblClick
    void sbDeleteEventClick();  // the pop-up's and the main menu's "Удалить" too
    void SpeedButton2Click();   // "Применить параметры": the automatic deletion
    void SpeedButton5Click();   // "Очистить список"
    void lvEventColumnClick(int column);
    void CheckBox1Click();
    void pmEventPopup();
    void ExportICalendarClick();  // "Экспорт в iCalendar..."
    void ImportICalendarClick();  // "Импорт из iCalendar..."

private:
    class ReadInteraction;
    friend class ReadInteraction;

    void buildList();
    void buildControls();
    // Reads the whole datebook into the list; false when the read did not reach every slot.
    bool readAll();
    void finishRead(const orlin::DatebookReport& read);
    void addRow(const orlin::DatebookEvent& event);
    orlin::DatebookEvent eventOfRow(const QTreeWidgetItem* item) const;
    // The slot table, read first when there is none; false when that read failed.
    bool haveSlotTable();
    // Drops the slot table after a write that failed half-way, so that the next add reads.
    void forgetSlotTable();
    // Writes the dialog's command, then reads the datebook again.
    void writeDialogEvent();
    void pauseBeforeReading();
    static QString DeleteStoppedText(const std::string& why, const std::vector<int>& chosen,
                                     const orlin::SlotChange& change);
    void updateBoldDays();
    bool writeFileDialog(QString& path);
    bool openFileDialog(QString& path);

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
    QFileDialog* saveICalDialog_ = nullptr;
    QFileDialog* openICalDialog_ = nullptr;

    WindowContext& context_;
    TfrmAddEvent* dialog_ = nullptr;
    int titleLength_ = 0;  // by the last read's range answer; 0 before
    // The events of the rows as the phone sent them, by slot: what the cells do not show (the
    // time flag, an untimed event's start time, the extended line's fields) for an edit.
    std::map<int, orlin::DatebookEvent> rowEvents_;
    // The list holds every event of the phone: the last read reached every slot.
    bool listComplete_ = false;
};
