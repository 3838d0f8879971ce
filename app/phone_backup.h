#pragma once
// "Файл → Резервная копия телефона..." and "Восстановить из копии...": the whole phone into a
// new folder (the same files as orlin-cli backup) and the phonebook and the datebook back,
// with a folder dialog and a progress dialog whose Stop button ends the work between two
// commands. Both hold the window's busy state.

#include <QObject>

class QFileDialog;
class QProgressDialog;
class QWidget;
class WindowContext;

class PhoneBackup : public QObject {
    Q_OBJECT
public:
    PhoneBackup(QWidget* parent, WindowContext& context);

    // The folder dialogs ("dlgBackupFolder": where the new folder goes; "dlgRestoreFolder":
    // the backup to restore) and the progress dialog ("dlgBackupProgress", made when the first
    // backup or restore starts).
    QFileDialog* backupFolderDialog = nullptr;
    QFileDialog* restoreFolderDialog = nullptr;
    QProgressDialog* progress = nullptr;

public slots:
    // Writes a new folder "orlin-backup-<date>-<time>" inside the folder chosen.
    void backup();
    void restore();

private:
    QProgressDialog* progressDialog();

    QWidget* parent_;
    WindowContext& context_;
};
