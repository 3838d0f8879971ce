// The datebook tab's exchange with iCalendar files: "Экспорт в iCalendar..." and "Импорт из
// iCalendar..." of the main menu "Ежедневник".

#include <QCoreApplication>
#include <QFileDialog>
#include <QProgressBar>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

#include "datebook/add_event_dialog.h"
#include "datebook/datebook_read.h"
#include "datebook/datebook_skipped.h"
#include "datebook/datebook_tab.h"
#include "datebook/ical/datebook_ical.h"
#include "datebook/ical/ical_put_back.h"
#include "link/cp1251.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/plural.h"
#include "link/whole_file.h"
#include "status/phone_key.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/progress.h"
#include "ui/window_context.h"

namespace {

QFileDialog* ICalDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode) {
    const QString iCalendar = QStringLiteral("iCalendar (*.ics)");
    QFileDialog* dialog = orlin::MakeFileDialog(
        parent, mode == QFileDialog::AcceptSave,
        {iCalendar, QCoreApplication::translate("DateBookTab", "Все файлы (*)")}, iCalendar,
        QStringLiteral("ics"));
    dialog->setObjectName(QLatin1String(name));
    return dialog;
}

}  // namespace

bool DateBookTab::writeFileDialog(QString& path) {
    if (!saveICalDialog_)
        saveICalDialog_ = ICalDialog(this, "dlgExportICalendar", QFileDialog::AcceptSave);
    if (saveICalDialog_->exec() != QDialog::Accepted) return false;
    path = saveICalDialog_->selectedFiles().value(0);
    return !path.isEmpty();
}

bool DateBookTab::openFileDialog(QString& path) {
    if (!openICalDialog_)
        openICalDialog_ = ICalDialog(this, "dlgImportICalendar", QFileDialog::AcceptOpen);
    if (openICalDialog_->exec() != QDialog::Accepted) return false;
    path = openICalDialog_->selectedFiles().value(0);
    return !path.isEmpty();
}

// The events of the list go to the file; with an empty list the datebook is read first.
void DateBookTab::ExportICalendarClick() {
    if (context_.busy().isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        if (lvEvent->topLevelItemCount() == 0 && !readAll() && lvEvent->topLevelItemCount() == 0)
            return;
        std::vector<orlin::DatebookEvent> events = listedEvents();
        // A file of a part of the datebook would pass for a whole copy of it.
        if (!listComplete_ && !MessageBoxes::warningYesNo(
                                  this, tr("Список событий неполон: ежедневник прочитан не весь. В "
                                           "файл попадут только %1 из списка, а не все события "
                                           "телефона.\r\nЗаписать файл?")
                                            .arg(QString::fromStdString(orlin::EventsText(
                                                static_cast<long long>(events.size()))))))
            return;
        QString path;
        if (!writeFileDialog(path)) return;
        std::string unread;
        std::optional<orlin::AskedPhoneKey> key;
        {
            // Skipped occurrences come only with a range read of each repeating event's slot.
            context_.LoadPortSettings();
            orlin::PhoneSession session(context_.portSettings(), {true, true});
            orlin::Interaction quiet;
            unread =
                orlin::UnreadSkippedText(orlin::ReadSkippedOccurrences(session, events, quiet));
            // The events carry the phone's stable UIDs, as orlin-cli writes them; a phone that
            // does not answer now gets its events in the old form rather than another phone's
            // UIDs.
            key = orlin::TryAskPhoneKey(session);
        }
        std::optional<orlin::ExportIdentity> identity;
        if (key) identity.emplace(key->key);
        const orlin::ICalExport exported =
            orlin::ExportICalendar(events, identity ? &identity->identity() : nullptr);
        orlin::WriteWholeFile(orlin::Utf8Path(path), exported.text);
        if (identity) identity->save();
        orlin::Utf8Text warning = orlin::ExportWarning(exported);
        if (!key)
            warning += (warning.empty() ? "" : "\r\n") +
                       tr("Телефон не ответил на запрос серийного номера: "
                          "события записаны без постоянных UID.")
                           .toStdString();
        if (!unread.empty()) warning += (warning.empty() ? "" : "\r\n") + unread;
        if (!warning.empty()) MessageBoxes::warning(this, QString::fromStdString(warning));
    });
}

// Our own events whose slot still holds what was exported go back into that slot; each other
// event of the file goes into the next free slot. What had to change on the way, and what did
// not go in, is listed in one warning. The datebook is read again afterwards.
void DateBookTab::ImportICalendarClick() {
    if (context_.busy().isBusy() || !dialog_) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        QString path;
        if (!openFileDialog(path)) return;
        const std::string text =
            orlin::ReadWholeFile(orlin::Utf8Path(path), orlin::kMostICalendarBytes);
        orlin::ParseICalendar(text, 0);  // a file that is no iCalendar stops here
        if (!haveSlotTable()) return;
        std::vector<orlin::ImportedEvent> events = orlin::ParseICalendar(text, titleLength_);
        // What the phone holds already (an import run again) is not written twice.
        const int alreadyThere = orlin::MarkAlreadyThere(events, listedEvents());
        if (events.empty()) {
            MessageBoxes::information(this, tr("В файле нет событий."));
            return;
        }
        context_.LoadPortSettings();
        std::optional<orlin::PhoneSession> session;
        orlin::SlotChange putBack;
        if (orlin::HasOwnEvents(events)) {
            session.emplace(context_.portSettings());
            // A phone that does not answer for its key has no events of its own here.
            if (const auto key = orlin::TryAskPhoneKey(*session)) {
                orlin::ProgressBarInteraction progress(pbReadEvent);
                putBack =
                    orlin::PutBackInPlace(*session, events, listedEvents(), key->key, progress);
            }
        }
        orlin::Utf8Text refusedInPlace;
        for (size_t i = 0; i < putBack.refused.size(); ++i)
            refusedInPlace += (refusedInPlace.empty() ? "" : "\r\n") +
                              orlin::WriteRefusedText(putBack.refused[i], putBack.refusals[i]);
        if (putBack.Failed()) {
            if (!refusedInPlace.empty())
                MessageBoxes::warning(this, QString::fromStdString(refusedInPlace));
            putBack.RaiseFailure();
        }
        const std::vector<orlin::EventDraft> drafts = orlin::WritableDrafts(events);
        if (!drafts.empty() && orlin::FirstFreeSlot(dialog_->SlotUsed) < 0) {
            MessageBoxes::warning(this, QString::fromStdString(orlin::NoFreeSlotText()));
            if (!putBack.done.empty()) readAll();
            return;
        }
        orlin::DraftsChange written;
        if (!drafts.empty()) {
            try {
                if (!session) session.emplace(context_.portSettings());
                orlin::ProgressBarInteraction progress(pbReadEvent);
                written = orlin::WriteDrafts(*session, drafts, dialog_->SlotUsed, progress);
                written.RaiseFailure();
            } catch (...) {
                // What went in before the failure, then the failure itself; the slots the
                // writing reached are not known to be free any more.
                written.failure = std::current_exception();
                const orlin::Utf8Text warning = orlin::ImportWarning(events, written);
                if (!warning.empty()) MessageBoxes::warning(this, QString::fromStdString(warning));
                forgetSlotTable();
                throw;
            }
        }
        session.reset();
        orlin::Utf8Text warning = orlin::ImportWarning(events, written);
        if (!refusedInPlace.empty()) warning += (warning.empty() ? "" : "\r\n") + refusedInPlace;
        if (alreadyThere > 0)
            warning += (warning.empty() ? "" : "\r\n") +
                       tr("Уже есть в телефоне (тот же заголовок, время и дата), "
                          "не записано: ")
                           .toStdString() +
                       std::to_string(alreadyThere);
        if (!warning.empty()) MessageBoxes::warning(this, QString::fromStdString(warning));
        if (drafts.empty() && putBack.done.empty()) return;
        pauseBeforeReading();
        readAll();
    });
}
