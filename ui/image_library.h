#pragma once
// The pictures of the main window come from the resource container orlinres.dll, which lies
// next to the program: the small icons, the tab icons, the pop-up menu icons and the glyphs of
// the speed buttons. Each loader opens the container, reads its named bitmaps in a fixed order
// and closes it again. Without the container the glyph loader warns once and every list stays
// empty; a bitmap missing from a present container raises EResNotFound, and the images read
// before it stay in their list.

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include "link/errors.h"
#include "ui/window_context.h"

class QAbstractButton;
class QWidget;

namespace orlin {

// "Resource SB_05 not found": a named bitmap that the container does not hold.
class EResNotFound : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// The glyphs of the speed buttons by resource name, "SB_01".."SB_12".
struct ButtonGlyphs {
    QHash<QString, QPixmap> byName;
    // The glyph for a resource name; a null pixmap when it was not loaded.
    QPixmap glyph(const QString& resourceName) const { return byName.value(resourceName); }
    // Sets the glyph of `resourceName` on the button when it was loaded; a button whose glyph
    // is missing keeps what it shows.
    void apply(const char* resourceName, QAbstractButton* button) const;
};

// The container's file name.
inline constexpr const char* kResourceContainerName = "orlinres.dll";

// The folders searched for the container, in order: the program's folder, the current
// directory, then an installed program's data folder (share/orlin). Tests may give their own list;
// an empty list restores the default.
void setResourceSearchFolders(const QStringList& folders);
QStringList resourceSearchFolders();

// Full path of the container in the first search folder that holds it; empty when none does.
QString findResourceContainer();

// The four loaders, run in this order when the main window is created.
// Glyph loader: fills `glyphs` with SB_01..SB_12; without the container it shows
// "Невозможно загрузить orlinres.dll ..." (MessageBoxes::warning, parent `parent`) and returns
// false. Returns true when the container was opened.
bool loadButtonGlyphs(QWidget* parent, ButtonGlyphs& glyphs);
// 16x16, magenta transparent: PHONETYPE_01..09, PROFILE_01..15, OTHER_01..18 (42 images).
void loadSmallIcons(ImageLists& lists);
// 32x32, magenta transparent: TABS_01..06.
void loadTabIcons(ImageLists& lists);
// 24x24, white transparent: POPUP_01..08.
void loadPopupIcons(ImageLists& lists);

// The resource names of each group, in list order (image number = position).
QStringList smallIconNames();
QStringList tabIconNames();
QStringList popupIconNames();
QStringList buttonGlyphNames();

// Fixed positions in the small-icon list that other tabs use.
namespace SmallIcon {
inline constexpr int NumberTypeFirst = 0;     // 0..8: work, home, main, mobile, fax, pager,
                                              //       e-mail, mailing list, SIM
inline constexpr int PhonebookIconFirst = 9;  // 9..23: the phonebook entry icons 0..14
inline constexpr int InboxFolder = 26;
inline constexpr int InboxFolderOpen = 27;
inline constexpr int OutboxFolder = 28;
inline constexpr int OutboxFolderOpen = 29;
inline constexpr int Draft = 30;  // drafts folder and the draft kind
inline constexpr int Archive = 31;
inline constexpr int Phone = 32;
inline constexpr int Outgoing = 33;  // sent folder and the outgoing kind
inline constexpr int StateRead = 34;
inline constexpr int StateUnread = 35;
inline constexpr int Incoming = 36;
inline constexpr int StateSent = 37;
inline constexpr int StateUnsent = 38;
inline constexpr int SortDescending = 40;
inline constexpr int SortAscending = 41;
}  // namespace SmallIcon

}  // namespace orlin
