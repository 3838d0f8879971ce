#include "app/help_dialog.h"

#include <QFile>
#include <QPalette>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include "link/data_folder.h"
#include "link/errors.h"
#include "link/language.h"
#include "ui/orlin_application.h"
#include "ui/phone_text_qt.h"

TfrmHelp::TfrmHelp(QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmHelp");
    setWindowTitle(tr("Помощь"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    RichEdit1->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    setFixedSize(516, 297);
}

void TfrmHelp::FormShow() {
    RichEdit1->clear();
    // The current directory's help text, else the installed program's: info.txt in Russian,
    // info_en.txt in English.
    const char* name =
        orlin::CurrentLanguage() == orlin::Language::English ? "info_en.txt" : "info.txt";
    QFile file(QString::fromStdString(orlin::FindDataFile(name)));
    if (!file.open(QIODevice::ReadOnly))
        throw orlin::EInOutError(file.exists() ? file.errorString().toStdString()
                                               : std::string("File not found"));
    const QByteArray bytes = file.readAll();
    RichEdit1->setPlainText(orlin::FromCp1251(std::string(bytes.constData(), bytes.size())));
}

void TfrmHelp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) move(parentWidget()->window()->geometry().center() - rect().center());
    if (event->spontaneous()) return;
    // A missing file shows the error box; the window then opens empty.
    orlin::Guarded([this] { FormShow(); });
}
