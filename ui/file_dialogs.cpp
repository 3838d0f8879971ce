#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>

namespace orlin {

QFileDialog* MakeFileDialog(QWidget* parent, bool save, const QStringList& filters,
                            const QString& selected, const QString& suffix) {
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!save) dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(selected);
    dialog->setDefaultSuffix(suffix);
    // Room for the places ("Компьютер") and for the columns' Russian captions.
    dialog->resize(800, 480);
    if (auto* splitter = dialog->findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({170, 630});
    if (auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const int widths[] = {230, 90, 110, 150};  // name, size, type, date
        for (int column = 0; column < 4 && column < files->header()->count(); ++column)
            files->header()->resizeSection(column, widths[column]);
    }
    return dialog;
}

std::string Utf8Path(const QString& path) {
    return path.toUtf8().toStdString();
}

}  // namespace orlin
