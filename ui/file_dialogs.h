#pragma once
// The file dialogs of the program: Qt's own dialog (the same on every platform, in Russian once
// Qt's translations are loaded), opened wide enough that the Russian captions of its places and
// columns are not cut.

#include <QString>
#include <QStringList>
#include <string>

class QFileDialog;
class QWidget;

namespace orlin {

// A file dialog to open (an existing file) or to save, with its name filters, the filter
// `selected` preselected and `suffix` added to a name typed without one.
QFileDialog* MakeFileDialog(QWidget* parent, bool save, const QStringList& filters,
                            const QString& selected, const QString& suffix);

// A file name chosen in the window as the cores take file names: UTF-8 on every system (on
// Windows the local 8-bit code page has no room for most letters).
std::string Utf8Path(const QString& path);

}  // namespace orlin
