#include "app/about_box.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "app/version_info.h"

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
    // The picture plays once; it is optional.
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

QString TAboutBox::HomePage() { return QStringLiteral("https://orlin.example.org/"); }
QString TAboutBox::MailAddress() { return QStringLiteral("orlin@example.org"); }

void TAboutBox::FillFromVersionRecord(const QString& programFile) {
    const orlin::AboutTexts texts = orlin::readAboutTexts(programFile);
    ProductName->setText(texts.productName);
    Version->setText(texts.version);
    Copyright->setText(texts.copyright);
    Comments->setText(texts.comments);
}

void TAboutBox::lblHomepageClick() { QDesktopServices::openUrl(QUrl(HomePage())); }

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
            if (l == lblHomepage) lblHomepageClick();
            else lblEmailClick();
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
