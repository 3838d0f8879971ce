#include "ui/image_library.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QResource>

#include "link/data_folder.h"
#include "ui/message_boxes.h"

namespace orlin {

namespace {

// Where the container's bitmaps appear while it is registered.
const QString kMapRoot = QStringLiteral("/orlinres");

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

QStringList& customSearchFolders() {
    static QStringList folders;
    return folders;
}

QStringList numberedNames(const QString& prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

// The container opened for the length of one loader, like a library module that is loaded,
// read and released again. A file that is not a valid container counts as not loadable.
class OpenedContainer {
public:
    OpenedContainer() : path_(findResourceContainer()) {
        if (!path_.isEmpty()) loaded_ = QResource::registerResource(path_, kMapRoot);
    }
    ~OpenedContainer() {
        if (loaded_) QResource::unregisterResource(path_, kMapRoot);
    }
    OpenedContainer(const OpenedContainer&) = delete;
    OpenedContainer& operator=(const OpenedContainer&) = delete;

    bool loaded() const { return loaded_; }

    QImage bitmap(const QString& name) const {
        QImage image(QStringLiteral(":") + kMapRoot + QLatin1Char('/') + name);
        if (image.isNull()) throw EResNotFound("Resource " + name.toStdString() + " not found");
        return image;
    }

private:
    QString path_;
    bool loaded_ = false;
};

// Masks out every opaque pixel of the transparent colour, then brings the picture to the
// list's size, so that one resource is always exactly one image of the list and the image
// numbers that other tabs rely on stay in place.
QPixmap listImage(const QImage& bitmap, QRgb transparent, int size) {
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == transparent) line[x] = 0;
    }
    if (image.size() != QSize(size, size))
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(image);
}

void loadList(QList<QPixmap>& list, const QStringList& names, QRgb transparent, int size) {
    OpenedContainer container;
    if (!container.loaded()) return;
    list.clear();
    for (const QString& name : names)
        list.append(listImage(container.bitmap(name), transparent, size));
}

}  // namespace

void setResourceSearchFolders(const QStringList& folders) {
    customSearchFolders() = folders;
}

QStringList resourceSearchFolders() {
    if (!customSearchFolders().isEmpty()) return customSearchFolders();
    QStringList folders;
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    folders << QDir::currentPath();
    // An installed program keeps the container in its data folder (share/orlin).
    const std::string installed = orlin::InstalledDataFolder();
    if (!installed.empty()) folders << QString::fromStdString(installed);
    return folders;
}

QString findResourceContainer() {
    for (const QString& folder : resourceSearchFolders()) {
        const QFileInfo file(QDir(folder), QString::fromLatin1(kResourceContainerName));
        if (file.isFile()) return file.absoluteFilePath();
    }
    return QString();
}

QStringList smallIconNames() {
    return numberedNames(QStringLiteral("PHONETYPE_"), 9) +
           numberedNames(QStringLiteral("PROFILE_"), 15) +
           numberedNames(QStringLiteral("OTHER_"), 18);
}

QStringList tabIconNames() {
    return numberedNames(QStringLiteral("TABS_"), 6);
}
QStringList popupIconNames() {
    return numberedNames(QStringLiteral("POPUP_"), 8);
}
QStringList buttonGlyphNames() {
    return numberedNames(QStringLiteral("SB_"), 12);
}

void ButtonGlyphs::apply(const char* resourceName, QAbstractButton* button) const {
    const QPixmap pixmap = glyph(QString::fromLatin1(resourceName));
    if (!pixmap.isNull() && button) button->setIcon(QIcon(pixmap));
}

bool loadButtonGlyphs(QWidget* parent, ButtonGlyphs& glyphs) {
    OpenedContainer container;
    if (!container.loaded()) {
        MessageBoxes::warning(parent, QCoreApplication::translate(
                                          "ImageLibrary", "Невозможно загрузить orlinres.dll ..."));
        return false;
    }
    for (const QString& name : buttonGlyphNames())
        glyphs.byName.insert(name, QPixmap::fromImage(container.bitmap(name)));
    return true;
}

void loadSmallIcons(ImageLists& lists) {
    loadList(lists.smallIcons, smallIconNames(), kMagenta, 16);
}
void loadTabIcons(ImageLists& lists) {
    loadList(lists.tabIcons, tabIconNames(), kMagenta, 32);
}
void loadPopupIcons(ImageLists& lists) {
    loadList(lists.popupIcons, popupIconNames(), kWhite, 24);
}

}  // namespace orlin
