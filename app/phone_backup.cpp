#include "app/phone_backup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProgressDialog>
#include <functional>
#include <optional>

#include "datebook/datebook_read.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/cp1251.h"
#include "link/errors.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/whole_file.h"
#include "messages/message_archive.h"
#include "messages/message_export.h"
#include "messages/message_folders.h"
#include "phonebook/phonebook_file.h"
#include "phonebook/phonebook_read.h"
#include "phonebook/phonebook_write.h"
#include "phonebook/vcard.h"
#include "status/phone_info.h"
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

// The progress dialog's side of the cores: its bar, its Stop button, the questions in boxes.
class ProgressInteraction : public orlin::Interaction {
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
    // The step the dialog names.
    void step(const QString& text) {
        dialog_->setLabelText(text);
        dialog_->setValue(0);
        QCoreApplication::processEvents();
        if (dialog_->wasCanceled()) throw orlin::OrlinError(orlin::Utf8ToCp1251("Остановлено."));
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

// The whole phonebook and datebook, each over a session of its own.
orlin::PhonebookState ReadWholePhonebook(const orlin::PortSettings& settings,
                                         orlin::Interaction& interaction) {
    orlin::PhoneSession session(settings);
    return orlin::ReadWholePhonebook(session, interaction);
}

orlin::DatebookRead ReadWholeDatebook(const orlin::PortSettings& settings,
                                      orlin::Interaction& interaction) {
    orlin::PhoneSession session(settings, orlin::PhoneSession::Options{true, true});
    return orlin::ReadWholeDatebook(session, interaction);
}

}  // namespace

PhoneBackup::PhoneBackup(QWidget* parent, WindowContext& context)
    : QObject(parent), parent_(parent), context_(context) {
    backupFolderDialog = FolderDialog(parent, "dlgBackupFolder");
    restoreFolderDialog = FolderDialog(parent, "dlgRestoreFolder");
    progress = new QProgressDialog(parent);
    progress->setObjectName(QStringLiteral("dlgBackupProgress"));
    progress->setWindowTitle(QStringLiteral("Резервная копия телефона"));
    progress->setCancelButtonText(QStringLiteral("Стоп"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    progress->hide();
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
        if (dir.exists() || !QDir().mkpath(dir.path())) {
            MessageBoxes::error(parent_,
                                QStringLiteral("Не удалось создать папку %1.").arg(dir.path()));
            return;
        }
        const auto write = [&](const QString& name, const std::string& bytes) {
            orlin::WriteWholeFile(Native(dir.filePath(name)), bytes);
        };
        context_.LoadPortSettings();
        const orlin::PortSettings settings = context_.portSettings();
        const std::string date = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
        ProgressShown shown(progress);
        ProgressInteraction interaction(progress, parent_);

        struct Step {
            QString label;
            QStringList files;
            std::function<void()> run;
        };
        const std::vector<Step> steps = {
            {QStringLiteral("Сведения о телефоне"),
             {QStringLiteral("phone.txt")},
             [&] {
                 const auto ask = [&](const char* command) {
                     return orlin::AskInfo(settings, command);
                 };
                 const std::string text =
                     "Manufacturer: " + orlin::ParseManufacturer(ask(orlin::kManufacturerCommand)) +
                     "\r\nModel: " + orlin::ParseModel(ask(orlin::kModelCommand)).model +
                     "\r\nFirmware: " + orlin::ParseFirmware(ask(orlin::kFirmwareCommand)) +
                     "\r\nSerial number: " + orlin::ParseImei(ask(orlin::kImeiCommand)) +
                     "\r\nBackup date: " + date + "\r\n";
                 write(QStringLiteral("phone.txt"), orlin::Cp1251ToUtf8(text));
             }},
            {QStringLiteral("Справочник"),
             {QStringLiteral("phonebook.txt"), QStringLiteral("phonebook.vcf")},
             [&] {
                 orlin::PhonebookState state = ReadWholePhonebook(settings, interaction);
                 {
                     orlin::PhoneSession session(settings);
                     orlin::PrepareSave(session, state);
                 }
                 write(QStringLiteral("phonebook.txt"),
                       orlin::PhonebookFileText(state.abonents, state.ranges).bytes);
                 write(QStringLiteral("phonebook.vcf"), orlin::VCardText(state));
             }},
            {QStringLiteral("Ежедневник"),
             {QStringLiteral("datebook.ics")},
             [&] {
                 write(
                     QStringLiteral("datebook.ics"),
                     orlin::ExportICalendar(ReadWholeDatebook(settings, interaction).events).text);
             }},
            {QStringLiteral("Сообщения"),
             {QStringLiteral("messages.csv")},
             [&] {
                 std::vector<orlin::MessageRow> rows;
                 std::vector<std::string> folders;
                 const std::pair<orlin::MessageFolder, const char*> all[] = {
                     {orlin::MessageFolder::Inbox, "inbox"},
                     {orlin::MessageFolder::Outgoing, "outgoing"},
                     {orlin::MessageFolder::Sent, "sent"},
                     {orlin::MessageFolder::Drafts, "drafts"}};
                 for (const auto& [folder, name] : all) {
                     const orlin::FolderReport report =
                         orlin::ReadMessageFolder(settings, folder, interaction);
                     if (report.failure != orlin::FolderFailure::None)
                         throw orlin::OrlinError(orlin::FailureText(report.failure));
                     if (!report.unreadable.empty())
                         throw orlin::OrlinError(orlin::UnreadableText(report));
                     rows.insert(rows.end(), report.rows.begin(), report.rows.end());
                     folders.resize(rows.size(), name);
                 }
                 write(QStringLiteral("messages.csv"), orlin::ExportCsvWithFolders(rows, folders));
             }},
            {QStringLiteral("Архив сообщений"),
             {QStringLiteral("sms_<phone id>.txt")},
             [&] {
                 const std::optional<std::string> id = orlin::ReadPhoneId(settings);
                 if (!id) throw orlin::OrlinError(orlin::PhoneIdWarning());
                 const std::string name = orlin::ArchiveFileName(*id);
                 write(QString::fromStdString(name), QFile::exists(QString::fromStdString(name))
                                                         ? orlin::ReadWholeFile(name)
                                                         : std::string());
             }},
        };

        size_t done = 0;
        QString failure;
        for (; done < steps.size(); ++done) {
            try {
                interaction.step(steps[done].label);
                steps[done].run();
            } catch (const orlin::OrlinError& e) {
                failure = FromCp1251(e.what());
                break;
            }
        }
        if (done == steps.size()) {
            MessageBoxes::information(
                parent_, QStringLiteral("Резервная копия записана в папку %1.").arg(dir.path()));
            return;
        }
        QString missing = QStringLiteral(
                              "This backup (%1) is not complete. It stopped with: %2\r\n"
                              "Missing:\r\n")
                              .arg(QString::fromStdString(date), failure);
        for (size_t i = done; i < steps.size(); ++i)
            for (const QString& file : steps[i].files) missing += "  " + file + "\r\n";
        write(QStringLiteral("MISSING.txt"), missing.toStdString());
        MessageBoxes::warning(parent_,
                              QStringLiteral("Резервная копия в папке %1 неполна: %2\r\nЧего в ней "
                                             "нет, сказано в файле MISSING.txt.")
                                  .arg(dir.path(), failure));
    });
}

void PhoneBackup::restore() {
    orlin::GuardedOperation(context_.busy(), [this] {
        if (restoreFolderDialog->exec() != QDialog::Accepted ||
            restoreFolderDialog->selectedFiles().isEmpty())
            return;
        const QDir dir(restoreFolderDialog->selectedFiles().first());
        context_.LoadPortSettings();
        const orlin::PortSettings settings = context_.portSettings();
        ProgressShown shown(progress);
        ProgressInteraction interaction(progress, parent_);
        // Both files are read before the phone is asked anything.
        const std::string phonebookBytes = orlin::ReadPhonebookFile(
            Native(dir.filePath(QStringLiteral("phonebook.txt"))), interaction);
        const std::string calendar =
            orlin::ReadWholeFile(Native(dir.filePath(QStringLiteral("datebook.ics"))));
        orlin::ParseICalendar(calendar, 0);

        interaction.step(QStringLiteral("Справочник"));
        orlin::PhonebookState state = ReadWholePhonebook(settings, interaction);
        interaction.step(QStringLiteral("Ежедневник"));
        orlin::DatebookRead read = ReadWholeDatebook(settings, interaction);
        if (state.OccupiedCount() > 0 || !read.events.empty()) {
            if (!MessageBoxes::confirm(
                    parent_, QStringLiteral("В телефоне %1 записей справочника и %2 событий "
                                            "ежедневника. Заменить их резервной копией?")
                                 .arg(state.OccupiedCount())
                                 .arg(read.events.size())))
                return;
            orlin::PhoneSession session(settings, orlin::PhoneSession::Options{true, true});
            std::vector<std::string> captions;
            for (const orlin::TAbonentInfo& record : state.abonents)
                if (!record.IsFree()) captions.push_back(std::to_string(record.Index));
            orlin::DeleteReport deleted;
            orlin::DeleteEntries(session, state, captions, deleted);
            std::vector<int> slotList;
            for (const orlin::DatebookEvent& event : read.events) slotList.push_back(event.slot);
            orlin::EventsDeleted eventsDeleted;
            orlin::DeleteEvents(session, slotList, eventsDeleted);
            for (int slot : eventsDeleted.deleted) read.slotUsed[static_cast<size_t>(slot)] = 0;
            if (deleted.accessRefused || !deleted.refused.empty() ||
                !eventsDeleted.refused.empty()) {
                MessageBoxes::error(parent_, QStringLiteral("Телефон удалил не всё, что хранил: "
                                                            "копия не восстановлена."));
                return;
            }
        }

        QStringList notes;
        interaction.step(QStringLiteral("Запись справочника"));
        const orlin::LoadTarget target = orlin::PrepareLoad(settings, interaction);
        if (!target.connected) return;
        const orlin::FileEntries entries =
            orlin::ParsePhonebookFile(phonebookBytes, target.family, target.ranges);
        const orlin::LoadReport loaded =
            orlin::WriteFileEntries(settings, entries.records, target.family, interaction);
        const int taken = loaded.sent - static_cast<int>(loaded.refused.size());
        if (taken < loaded.total)
            notes << QStringLiteral("Телефон принял %1 из %2 записей справочника.")
                         .arg(taken)
                         .arg(loaded.total);
        if (!loaded.portError.empty()) notes << FromCp1251(loaded.portError);

        interaction.step(QStringLiteral("Запись ежедневника"));
        const std::vector<orlin::ImportedEvent> events =
            orlin::ParseICalendar(calendar, read.titleLength);
        orlin::DraftsWritten written;
        {
            orlin::PhoneSession session(settings, orlin::PhoneSession::Options{true, true});
            orlin::WriteDrafts(session, orlin::WritableDrafts(events), read.slotUsed, interaction,
                               written);
        }
        const std::string warning = orlin::ImportWarning(events, written);
        if (!warning.empty()) notes << FromCp1251(warning);
        notes << QStringLiteral(
            "Сообщения в телефон не записываются: принятыми их записать "
            "нельзя. Они остаются в messages.csv и копии архива.");
        (notes.size() > 1 ? MessageBoxes::warning : MessageBoxes::information)(
            parent_, notes.join(QStringLiteral("\r\n")));
    });
}
