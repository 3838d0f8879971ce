#pragma once
// The window's side of a tab tested on its own: port settings, 42 small images of distinct
// colours (so that a test can tell which one a control shows), the shared sort state, the stop
// flag and a count of the settings loads. A tab built over it needs no main window.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "ui/window_context.h"

namespace orlin::test {

class FakeWindow : public WindowContext {
public:
    FakeWindow() {
        for (int i = 0; i < 42; ++i) {
            QPixmap pixmap(16, 16);
            pixmap.fill(ImageColour(i));
            images_.smallIcons << pixmap;
        }
    }
    PortSettings& portSettings() override { return settings; }
    void LoadPortSettings() override { ++settingsLoads; }
    const ImageLists& images() const override { return images_; }
    SharedSortState& sortState() override { return sort; }
    bool& KeepRunning() override { return keepRunning; }

    // The one colour of small image `image`.
    static QColor ImageColour(int image) { return QColor::fromHsv(image * 8, 255, 255); }
    // True when `icon` shows small image `image`.
    bool sameImage(const QIcon& icon, int image) const {
        return !icon.isNull() &&
               icon.pixmap(16, 16).toImage() == images_.smallIcons[image].toImage();
    }

    PortSettings settings;
    SharedSortState sort;
    bool keepRunning = true;
    int settingsLoads = 0;

private:
    ImageLists images_;
};

}  // namespace orlin::test
