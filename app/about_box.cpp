#include "app/about_box.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMovie>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/version_info.h"

namespace {

QPixmap drawnPhone(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(size.width() * 0.22, 6, size.width() * 0.56, size.height() - 12);
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(QColor(75, 110, 170));
    p.drawRoundedRect(body, 14, 14);
    const QRectF screen(body.left() + 8, body.top() + 14, body.width() - 16, body.height() * 0.32);
    p.setBrush(QColor(180, 225, 170));
    p.drawRoundedRect(screen, 3, 3);
    p.setPen(QColor(40, 60, 40));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.drawText(screen, Qt::AlignCenter, QStringLiteral("Orlin"));
    p.setPen(QPen(QColor(40, 60, 110), 1));
    p.setBrush(QColor(215, 225, 240));
    const double keyW = (body.width() - 16) / 3.0;
    const double top = screen.bottom() + 12;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(
                QRectF(body.left() + 8 + col * keyW + 2, top + row * 15, keyW - 4, 10), 4, 4);
    return pixmap;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);

    Animate1 = new QLabel(panel);
    Animate1->setObjectName("Animate1");
    Animate1->setFixedSize(120, 160);
    Animate1->setAlignment(Qt::AlignCenter);
    // The picture: about.gif next to the program when there is one (it plays once), else a
    // drawn phone.
    Animate1->setPixmap(drawnPhone(Animate1->size()));
    if (QFile::exists(QStringLiteral("about.gif"))) {
        auto* movie = new QMovie(QStringLiteral("about.gif"), QByteArray(), Animate1);
        connect(movie, &QMovie::frameChanged, movie, [movie](int frame) {
            if (frame == movie->frameCount() - 1) movie->stop();
        });
        Animate1->setMovie(movie);
    }

    auto label = [panel](const char* name) {
        auto* l = new QLabel(panel);
        l->setObjectName(name);
        return l;
    };
    ProductName = label("ProductName");
    Version = label("Version");
    Copyright = label("Copyright");
    Comments = label("Comments");
    Comments->setWordWrap(true);
    Comments->setFixedSize(177, 65);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto link = [this, panel](const char* name, const QString& text) {
        auto* l = new QLabel(text, panel);
        l->setObjectName(name);
        QFont font = l->font();
        font.setBold(true);
        font.setUnderline(true);
        l->setFont(font);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        return l;
    };
    lblHomepage = link("lblHomepage", HomePage());
    lblEmail = link("lblEmail", MailAddress());

    auto* texts = new QVBoxLayout();
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addWidget(Copyright);
    texts->addWidget(Comments);
    auto* links = new QGridLayout();
    links->addWidget(new QLabel(QStringLiteral("Homepage:"), panel), 0, 0);
    links->addWidget(lblHomepage, 0, 1);
    links->addWidget(new QLabel(QStringLiteral("E-mail:"), panel), 1, 0);
    links->addWidget(lblEmail, 1, 1);
    texts->addLayout(links);
    texts->addStretch(1);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(Animate1, 0, Qt::AlignVCenter);
    panelLayout->addLayout(texts, 1);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    setFixedSize(QSize(346, 200).expandedTo(sizeHint()));
}

QString TAboutBox::HomePage() {
    return QStringLiteral("https://orlin.example.org/");
}
QString TAboutBox::MailAddress() {
    return QStringLiteral("orlin@example.org");
}

void TAboutBox::FillFromVersionRecord(const QString& programFile) {
    const orlin::AboutTexts texts = orlin::readAboutTexts(programFile);
    ProductName->setText(texts.productName);
    Version->setText(texts.version);
    Copyright->setText(texts.copyright);
    Comments->setText(texts.comments);
    // The lines are one line each: the box grows to the longest. Before the box has been shown
    // once, its labels do not tell their layouts of a new text, so the cached sizes are
    // dropped here; otherwise the first opening would be sized for the old texts.
    for (QWidget* child : findChildren<QWidget*>()) child->updateGeometry();
    for (QLayout* layout : findChildren<QLayout*>()) layout->invalidate();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(QSize(346, 200).expandedTo(sizeHint()));
}

void TAboutBox::lblHomepageClick() {
    QDesktopServices::openUrl(QUrl(HomePage()));
}

void TAboutBox::lblEmailClick() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + MailAddress()));
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    auto* l = qobject_cast<QLabel*>(watched);
    if (l == lblHomepage || l == lblEmail) {
        switch (event->type()) {
            case QEvent::Enter: {
                QPalette palette = l->palette();
                palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
                l->setPalette(palette);
                break;
            }
            case QEvent::Leave:
                l->setPalette(QPalette());
                break;
            case QEvent::MouseButtonRelease:
                if (l == lblHomepage)
                    lblHomepageClick();
                else
                    lblEmailClick();
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) move(parentWidget()->window()->geometry().center() - rect().center());
    if (Animate1->movie()) Animate1->movie()->start();
}
