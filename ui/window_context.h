#pragma once
// What every tab and dialog needs from the main window. TfrmMain implements it;
// the tab classes take a WindowContext& so that they do not depend on the window's class.

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

#include "link/port_settings.h"
#include "ui/busy_state.h"

class QHeaderView;

// The three image lists and the button glyphs of orlinres.dll. A list that could not be
// loaded is empty, and the controls then show no images.
struct ImageLists {
    QList<QPixmap> smallIcons;  // 16x16: PHONETYPE_01..09, PROFILE_01..15, OTHER_01..18 (0..41)
    QList<QPixmap> tabIcons;    // 32x32: TABS_01..06
    QList<QPixmap> popupIcons;  // 24x24: POPUP_01..08
    QIcon small(int index) const {
        return index >= 0 && index < smallIcons.size() ? QIcon(smallIcons[index]) : QIcon();
    }
};

// The phonebook, datebook and message lists share one sort direction (descending at start,
// flipped by every header click in any of them) and one remembered column.
struct SharedSortState {
    bool descending = true;
    int column = -1;
};

class WindowContext {
public:
    virtual ~WindowContext() = default;

    // PortName, PortBaudRate and PortTimeOut as held in memory.
    virtual orlin::PortSettings& portSettings() = 0;
    // Re-reads portcfg.ini into portSettings(); raises like LoadPortSettings.
    virtual void LoadPortSettings() = 0;

    virtual const ImageLists& images() const = 0;
    virtual SharedSortState& sortState() = 0;

    // The stop flag of the long phonebook operations (the "Остановить" button clears it).
    virtual bool& KeepRunning() = 0;

    // The one busy state of the window: every phone operation holds a BusyScope on it.
    BusyState& busy() { return busy_; }

private:
    BusyState busy_;
};
