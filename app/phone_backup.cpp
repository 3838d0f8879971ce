#include "app/phone_backup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <algorithm>
#include <iterator>

#include "backup/whole_phone.h"
#include "link/plural.h"
#include "link/slot_list.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/window_context.h"

namespace {

QFileDialog* FolderDialog(QWidget* parent, const char* name) {
    QFileDialog* dialog = orlin::MakeFileDialog(parent, false, {}, {}, {});
    dialog->setObjectName(QLatin1String(name));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    return dialog;
}

QString Entries(long long n) {
    return QString::fromStdString(orlin::EntriesText(n));
}

QString Events(long long n) {
    return QString::fromStdString(orlin::EventsText(n));
}

QString Slots(const std::vector<int>& numbers) {
    return QString::fromStdString(orlin::SlotList(numbers));
}

// The stop text that stays in the dialog until the work has stopped.
const char* const kStopping = QT_TRANSLATE_NOOP("PhoneBackup", "Останавливаю…");

// The progress dialog's side of the cores: its bar under the stage's name, its Stop button,
// the questions in boxes. Stop is taken at the next command: until then the dialog stays up
// and says "Останавливаю…".
class ProgressInteraction : public orlin::CopyInteraction {
public:
    ProgressInteraction(QProgressDialog* dialog, QWidget* parent)
        : dialog_(dialog), parent_(parent) {
        // After the dialog's own handling (it hides itself on Stop).
        connection_ = QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, [this] {
            stopping_ = true;
            dialog_->setLabelText(QCoreApplication::translate("PhoneBackup", kStopping));
            dialog_->show();
        });
    }
    ~ProgressInteraction() override { QObject::disconnect(connection_); }
    ProgressInteraction(const ProgressInteraction&) = delete;
    ProgressInteraction& operator=(const ProgressInteraction&) = delete;
    void processEvents() override { QCoreApplication::processEvents(); }
    void progress(int pos, int max) override {
        dialog_->setRange(0, std::max(max, 1));
        dialog_->setValue(std::clamp(pos, 0, std::max(max, 1)));
    }
    bool confirm(const std::string& text) override {
        return MessageBoxes::confirm(parent_, QString::fromStdString(text));
    }
    void inform(const std::string& text) override {
        MessageBoxes::information(parent_, QString::fromStdString(text));
    }
    bool keepRunning() override { return !stopping_ && !dialog_->wasCanceled(); }
    void stage(orlin::CopyStage stage) override {
        // In the order of CopyStage; the four message folders are one step to the user.
        static const char* const names[] = {
            QT_TRANSLATE_NOOP("PhoneBackup", "Сведения о телефоне"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Справочник"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Ежедневник"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Сообщения"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Сообщения"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Сообщения"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Сообщения"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Архив сообщений"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Справочник"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Ежедневник"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Запись справочника"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Запись ежедневника"),
            QT_TRANSLATE_NOOP("PhoneBackup", "Сохранение того, что в телефоне")};
        static_assert(std::size(names) == orlin::kCopyStageCount);
        if (!stopping_)
            dialog_->setLabelText(
                QCoreApplication::translate("PhoneBackup", names[static_cast<int>(stage)]));
        dialog_->setValue(0);
    }
    bool confirmReplace(const orlin::RestoreCounts& c) override {
        return MessageBoxes::confirm(
            parent_, QCoreApplication::translate(
                         "PhoneBackup",
                         "В телефоне %1 справочника и %2 ежедневника, в копии %3 и %4. "
                         "Прежде чем что-то изменить, то, что в телефоне, будет сохранено в "
                         "новую папку рядом с копией. Заменить содержимое телефона копией?")
                         .arg(Entries(c.phoneEntries), Events(c.phoneEvents),
                              Entries(c.backupEntries), Events(c.backupEvents)));
    }
    bool confirmPartial(const std::string& missingText) override {
        return MessageBoxes::confirm(
            parent_,
            QCoreApplication::translate("PhoneBackup",
                                        "Эта резервная копия неполна:\r\n%1\r\nВосстановить то, "
                                        "что в ней есть?")
                .arg(QString::fromStdString(missingText).trimmed()));
    }

private:
    QProgressDialog* dialog_;
    QWidget* parent_;
    QMetaObject::Connection connection_;
    bool stopping_ = false;
};

// What a restore did to one half of the phone, in the language shown: what went in, and apart what
// did not.
void DescribePart(const QString& name, const orlin::RestorePart& part,
                  QString (*counted)(long long), QStringList& done, QStringList& problems) {
    QStringList parts;
    parts << QCoreApplication::translate("PhoneBackup", "в копии %1").arg(counted(part.inBackup));
    if (!part.written.empty())
        parts << QCoreApplication::translate("PhoneBackup", "записано %1 (ячейки %2)")
                     .arg(part.written.size())
                     .arg(Slots(part.written));
    if (part.same > 0)
        parts << QCoreApplication::translate("PhoneBackup", "уже были такими же %1").arg(part.same);
    if (!part.removed.empty())
        parts << QCoreApplication::translate("PhoneBackup",
                                             "удалено %1, которых нет в копии (ячейки %2)")
                     .arg(part.removed.size())
                     .arg(Slots(part.removed));
    done << name + QStringLiteral(": ") + parts.join(QStringLiteral("; ")) + QStringLiteral(".");
    for (const auto& [from, to] : part.moved)
        done << name + QCoreApplication::translate(
                           "PhoneBackup", ": ячейки %1 в этом телефоне нет, записано в ячейку %2.")
                           .arg(from)
                           .arg(to);
    const auto problem = [&](const QString& what, const std::vector<int>& numbers) {
        if (!numbers.empty()) problems << name + QStringLiteral(": ") + what.arg(Slots(numbers));
    };
    problem(
        QCoreApplication::translate("PhoneBackup", "телефон не принял ячейки %1 (в них прежнее)"),
        part.refused);
    problem(QCoreApplication::translate("PhoneBackup", "не записаны ячейки копии %1"),
            part.notWritten);
    problem(QCoreApplication::translate("PhoneBackup", "из них для ячеек %1 в телефоне нет места"),
            part.noRoom);
    problem(QCoreApplication::translate("PhoneBackup",
                                        "не удалены ячейки %1 (они остались в телефоне)"),
            part.notRemoved);
    problem(QCoreApplication::translate(
                "PhoneBackup", "события в ячейках %1 записаны без всех пропущенных повторов"),
            part.skipsMissing);
    if (part.unanswered)
        problems << name + QCoreApplication::translate(
                               "PhoneBackup",
                               ": телефон не ответил на запись ячейки %1: в ней "
                               "прежнее или из копии.")
                               .arg(*part.unanswered);
    for (const std::string& note : part.notes)
        problems << name + QStringLiteral(": ") + QString::fromStdString(note);
}

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
    for (const std::string& note : notes)
        text += QStringLiteral("\r\n") + QString::fromStdString(note);
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
    progress->setWindowTitle(
        QCoreApplication::translate("PhoneBackup", "Резервная копия телефона"));
    progress->setCancelButtonText(QCoreApplication::translate("PhoneBackup", "Стоп"));
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
            phone, orlin::Utf8Path(dir.path()),
            now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString(), interaction);
        if (report.folder != orlin::BackupFolder::Ready) {
            MessageBoxes::error(
                parent_, QCoreApplication::translate("PhoneBackup", "Не удалось создать папку %1.")
                             .arg(dir.path()));
            return;
        }
        if (report.complete) {
            (report.notes.empty() ? MessageBoxes::information : MessageBoxes::warning)(
                parent_, WithNotes(QCoreApplication::translate(
                                       "PhoneBackup", "Резервная копия записана в папку %1.")
                                       .arg(dir.path()),
                                   report.notes));
            return;
        }
        QString text =
            QCoreApplication::translate("PhoneBackup", "Резервная копия в папке %1 неполна: %2\r\n")
                .arg(dir.path(), QString::fromStdString(report.failure));
        if (report.missingError.empty()) {
            text += QCoreApplication::translate("PhoneBackup",
                                                "Чего в ней нет, сказано в файле MISSING.txt.");
        } else {
            QStringList missing;
            for (const std::string& file : report.missing) missing << QString::fromStdString(file);
            text += QCoreApplication::translate("PhoneBackup",
                                                "Файл MISSING.txt не записан: %1\r\nВ ней нет: %2.")
                        .arg(QString::fromStdString(report.missingError),
                             missing.join(QStringLiteral(", ")));
        }
        MessageBoxes::warning(parent_, WithNotes(text, report.notes));
    });
}

void PhoneBackup::restore() {
    orlin::GuardedOperation(context_.busy(), [this] {
        if (restoreFolderDialog->exec() != QDialog::Accepted ||
            restoreFolderDialog->selectedFiles().isEmpty())
            return;
        QDir dir(restoreFolderDialog->selectedFiles().first());
        // The folder the backup was written into holds it in a folder of its own.
        if (!orlin::IsBackupFolder(orlin::Utf8Path(dir.path()))) {
            const auto newest = orlin::NewestBackupIn(orlin::Utf8Path(dir.path()));
            if (!newest) {
                MessageBoxes::error(
                    parent_,
                    QCoreApplication::translate(
                        "PhoneBackup", "В папке %1 нет резервной копии: не найден файл %2.")
                        .arg(QDir::toNativeSeparators(dir.path()),
                             QDir::toNativeSeparators(QFile::decodeName(
                                 orlin::BackupFileLookedFor(orlin::Utf8Path(dir.path()))
                                     .string()
                                     .c_str()))));
                return;
            }
            const QString name = QFile::decodeName(newest->string().c_str());
            if (!MessageBoxes::confirm(
                    parent_,
                    QCoreApplication::translate("PhoneBackup",
                                                "В папке %1 нет резервной копии, но в ней есть "
                                                "папки с копиями. Восстановить самую новую, %2?")
                        .arg(QDir::toNativeSeparators(dir.path()), QFileInfo(name).fileName())))
                return;
            dir = QDir(name);
        }
        context_.LoadPortSettings();
        const orlin::CopyPhone phone{context_.portSettings()};
        ProgressShown shown(progressDialog());
        ProgressInteraction interaction(progress, parent_);
        const orlin::RestoreReport report =
            orlin::RestoreWholePhone(phone, orlin::Utf8Path(dir.path()), interaction);
        if (report.outcome == orlin::RestoreOutcome::Declined ||
            report.outcome == orlin::RestoreOutcome::PartialRefused)
            return;
        QStringList done, problems;
        DescribePart(QCoreApplication::translate("PhoneBackup", "Справочник"), report.phonebook,
                     Entries, done, problems);
        DescribePart(QCoreApplication::translate("PhoneBackup", "Ежедневник"), report.datebook,
                     Events, done, problems);
        QStringList text;
        const bool whole = report.outcome == orlin::RestoreOutcome::Done;
        text << (whole
                     ? QCoreApplication::translate("PhoneBackup", "Резервная копия восстановлена.")
                     : QCoreApplication::translate("PhoneBackup",
                                                   "Резервная копия восстановлена не полностью%1")
                           .arg(report.failure.empty()
                                    ? QStringLiteral(".")
                                    : QStringLiteral(": ") +
                                          QString::fromStdString(report.failure)));
        text << done << problems;
        if (!report.savedFolder.empty())
            text << QCoreApplication::translate("PhoneBackup",
                                                "То, что было в телефоне, сохранено в папке %1.")
                        .arg(QDir::toNativeSeparators(
                            QFile::decodeName(report.savedFolder.string().c_str())));
        text << QCoreApplication::translate(
            "PhoneBackup",
            "Сообщения в телефон не записываются: принятыми их записать "
            "нельзя. Они остаются в messages.csv и копии архива.");
        (whole && problems.isEmpty() ? MessageBoxes::information : MessageBoxes::warning)(
            parent_, text.join(QStringLiteral("\r\n")));
    });
}
