#include "app/phone_backup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>
#include <algorithm>
#include <iterator>

#include "backup/whole_phone.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/phone_text_qt.h"
#include "ui/window_context.h"

using orlin::FromCp1251;

namespace {

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QFileDialog* FolderDialog(QWidget* parent, const char* name) {
    QFileDialog* dialog = orlin::MakeFileDialog(parent, false, {}, {}, {});
    dialog->setObjectName(QLatin1String(name));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    return dialog;
}

// The progress dialog's side of the cores: its bar under the stage's name, its Stop button,
// the questions in boxes.
class ProgressInteraction : public orlin::CopyInteraction {
public:
    ProgressInteraction(QProgressDialog* dialog, QWidget* parent)
        : dialog_(dialog), parent_(parent) {}
    void processEvents() override { QCoreApplication::processEvents(); }
    void progress(int pos, int max) override {
        dialog_->setRange(0, std::max(max, 1));
        dialog_->setValue(std::clamp(pos, 0, std::max(max, 1)));
    }
    bool confirm(const std::string& text) override {
        return MessageBoxes::confirm(parent_, FromCp1251(text));
    }
    void inform(const std::string& text) override {
        MessageBoxes::information(parent_, FromCp1251(text));
    }
    bool keepRunning() override { return !dialog_->wasCanceled(); }
    void stage(orlin::CopyStage stage) override {
        // In the order of CopyStage; the four message folders are one step to the user.
        static const char* const names[] = {
            "Сведения о телефоне", "Справочник", "Ежедневник",         "Сообщения",
            "Сообщения",           "Сообщения",  "Сообщения",          "Архив сообщений",
            "Справочник",          "Ежедневник", "Запись справочника", "Запись ежедневника"};
        static_assert(std::size(names) == orlin::kCopyStageCount);
        dialog_->setLabelText(QString::fromUtf8(names[static_cast<int>(stage)]));
        dialog_->setValue(0);
    }
    bool confirmReplace(int entries, int events) override {
        return MessageBoxes::confirm(parent_, QStringLiteral("В телефоне %1 записей справочника и "
                                                             "%2 событий ежедневника. Заменить их "
                                                             "резервной копией?")
                                                  .arg(entries)
                                                  .arg(events));
    }

private:
    QProgressDialog* dialog_;
    QWidget* parent_;
};

// The dialog is shown for as long as the work runs.
class ProgressShown {
public:
    explicit ProgressShown(QProgressDialog* dialog) : dialog_(dialog) {
        dialog_->reset();
        dialog_->show();
    }
    ~ProgressShown() { dialog_->hide(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    QProgressDialog* dialog_;
};

// The notes of a backup, one a line after the text before them.
QString WithNotes(QString text, const std::vector<std::string>& notes) {
    for (const std::string& note : notes) text += QStringLiteral("\r\n") + FromCp1251(note);
    return text;
}

}  // namespace

PhoneBackup::PhoneBackup(QWidget* parent, WindowContext& context)
    : QObject(parent), parent_(parent), context_(context) {
    backupFolderDialog = FolderDialog(parent, "dlgBackupFolder");
    restoreFolderDialog = FolderDialog(parent, "dlgRestoreFolder");
}

// Made when the first backup or restore starts: a QProgressDialog shows itself some seconds
// after it is made, so one made with the window would pop up empty after every start.
QProgressDialog* PhoneBackup::progressDialog() {
    if (progress) return progress;
    progress = new QProgressDialog(parent_);
    progress->setObjectName(QStringLiteral("dlgBackupProgress"));
    progress->setWindowTitle(QStringLiteral("Резервная копия телефона"));
    progress->setCancelButtonText(QStringLiteral("Стоп"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    return progress;
}

void PhoneBackup::backup() {
    orlin::GuardedOperation(context_.busy(), [this] {
        if (backupFolderDialog->exec() != QDialog::Accepted ||
            backupFolderDialog->selectedFiles().isEmpty())
            return;
        const QDateTime now = QDateTime::currentDateTime();
        const QDir dir(
            QDir(backupFolderDialog->selectedFiles().first())
                .filePath(now.toString(QStringLiteral("'orlin-backup-'yyyy-MM-dd-HHmmss"))));
        context_.LoadPortSettings();
        const orlin::CopyPhone phone{context_.portSettings()};
        ProgressShown shown(progressDialog());
        ProgressInteraction interaction(progress, parent_);
        const orlin::BackupReport report = orlin::BackUpWholePhone(
            phone, Native(dir.path()),
            now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString(), interaction);
        if (report.folder != orlin::BackupFolder::Ready) {
            MessageBoxes::error(parent_,
                                QStringLiteral("Не удалось создать папку %1.").arg(dir.path()));
            return;
        }
        if (report.complete) {
            (report.notes.empty() ? MessageBoxes::information : MessageBoxes::warning)(
                parent_,
                WithNotes(QStringLiteral("Резервная копия записана в папку %1.").arg(dir.path()),
                          report.notes));
            return;
        }
        QString text = QStringLiteral("Резервная копия в папке %1 неполна: %2\r\n")
                           .arg(dir.path(), FromCp1251(report.failure));
        if (report.missingError.empty()) {
            text += QStringLiteral("Чего в ней нет, сказано в файле MISSING.txt.");
        } else {
            QStringList missing;
            for (const std::string& file : report.missing) missing << QString::fromStdString(file);
            text += QStringLiteral("Файл MISSING.txt не записан: %1\r\nВ ней нет: %2.")
                        .arg(FromCp1251(report.missingError), missing.join(QStringLiteral(", ")));
        }
        MessageBoxes::warning(parent_, WithNotes(text, report.notes));
    });
}

void PhoneBackup::restore() {
    orlin::GuardedOperation(context_.busy(), [this] {
        if (restoreFolderDialog->exec() != QDialog::Accepted ||
            restoreFolderDialog->selectedFiles().isEmpty())
            return;
        const QDir dir(restoreFolderDialog->selectedFiles().first());
        context_.LoadPortSettings();
        const orlin::CopyPhone phone{context_.portSettings()};
        ProgressShown shown(progressDialog());
        ProgressInteraction interaction(progress, parent_);
        const orlin::RestoreReport report =
            orlin::RestoreWholePhone(phone, Native(dir.path()), interaction);
        if (report.outcome == orlin::RestoreOutcome::Declined ||
            report.outcome == orlin::RestoreOutcome::NotConnected)
            return;
        if (report.outcome == orlin::RestoreOutcome::NotAllDeleted) {
            MessageBoxes::error(parent_, QStringLiteral("Телефон удалил не всё, что хранил: "
                                                        "копия не восстановлена."));
            return;
        }
        QStringList notes;
        if (report.entriesTaken < report.entries)
            notes << QStringLiteral("Телефон принял %1 из %2 записей справочника.")
                         .arg(report.entriesTaken)
                         .arg(report.entries);
        if (!report.portError.empty()) notes << FromCp1251(report.portError);
        if (!report.eventsWarning.empty()) notes << FromCp1251(report.eventsWarning);
        if (report.outcome == orlin::RestoreOutcome::Stopped)
            notes << FromCp1251(orlin::StoppedText());
        notes << QStringLiteral(
            "Сообщения в телефон не записываются: принятыми их записать "
            "нельзя. Они остаются в messages.csv и копии архива.");
        (notes.size() > 1 ? MessageBoxes::warning : MessageBoxes::information)(
            parent_, notes.join(QStringLiteral("\r\n")));
    });
}
