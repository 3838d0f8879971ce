// The phonebook tab's exchange with vCard files: "Экспорт в vCard..." and "Импорт из vCard..."
// of the main menu "Справочник" and of the list's pop-up menu.

#include <QFileDialog>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <optional>

#include "link/errors.h"
#include "link/plural.h"
#include "link/slot_list.h"
#include "link/whole_file.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_tab.h"
#include "phonebook/phonebook_write.h"
#include "phonebook/vcard.h"
#include "phonebook/vcard_import.h"
#include "status/phone_key.h"
#include "ui/busy_state.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/progress.h"
#include "ui/window_context.h"
#include "ui/write_broken_off.h"

namespace {

// The phone's key, asked over a session of the export or import; nothing when the port does
// not open or the phone does not answer.
std::optional<orlin::AskedPhoneKey> AskKey(const orlin::PortSettings& settings) {
    try {
        orlin::PhoneSession session(settings, orlin::PhoneSession::Options{true, true});
        return orlin::TryAskPhoneKey(session);
    } catch (const orlin::OrlinError&) {
        return std::nullopt;
    }
}

}  // namespace

QFileDialog* PhoneBookTab::makeVCardDialog(bool save) {
    const QString vcard = QStringLiteral("vCard (*.vcf)");
    QFileDialog* dialog = orlin::MakeFileDialog(this, save, {vcard, tr("Все файлы (*)")}, vcard,
                                                QStringLiteral("vcf"));
    dialog->setObjectName(save ? QStringLiteral("dlgExportVCard")
                               : QStringLiteral("dlgImportVCard"));
    return dialog;
}

// The entries of the last read go to the file; before any read the phonebook is read first.
void PhoneBookTab::ExportVCardClick() {
    if (isBusy()) return;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        if (state_.abonents.empty() && !readAll()) return;
        if (state_.OccupiedCount() == 0) {
            MessageBoxes::information(this, tr("Список пуст, сохранять нечего !"));
            return;
        }
        if (ExportVCardDialog->exec() != QDialog::Accepted ||
            ExportVCardDialog->selectedFiles().isEmpty())
            return;
        const QString path = ExportVCardDialog->selectedFiles().first();
        // The cards carry the phone's stable UIDs, as orlin-cli writes them; a phone that does
        // not answer now gets its cards in the old form rather than another phone's UIDs.
        context_.LoadPortSettings();
        const std::optional<orlin::AskedPhoneKey> key = AskKey(context_.portSettings());
        if (!key) {
            orlin::WriteWholeFile(orlin::Utf8Path(path), orlin::VCardText(state_));
            MessageBoxes::warning(this, tr("Телефон не ответил на запрос серийного номера: "
                                           "карточки записаны без постоянных UID."));
            return;
        }
        orlin::ExportIdentity identity(key->key);
        orlin::WriteWholeFile(orlin::Utf8Path(path),
                              orlin::VCardText(state_, &identity.identity()));
        identity.save();
    });
}

// Every number of every card goes into a free slot (the file's own slot when it names a free
// one); what could not be held as it was is listed in one warning. The phonebook is read first,
// for the free slots as they are now, and again afterwards.
void PhoneBookTab::ImportVCardClick() {
    if (isBusy()) return;
    context_.KeepRunning() = true;
    BusyScope busy(context_.busy());
    orlin::Guarded([this] {
        if (ImportVCardDialog->exec() != QDialog::Accepted ||
            ImportVCardDialog->selectedFiles().isEmpty())
            return;
        const std::vector<orlin::VCard> cards = orlin::ParseVCards(orlin::ReadWholeFile(
            orlin::Utf8Path(ImportVCardDialog->selectedFiles().first()), orlin::kMostVCardBytes));
        if (cards.empty()) {
            MessageBoxes::information(this, tr("В файле нет карточек vCard."));
            return;
        }
        if (!readAll()) return;
        // Our own cards of this phone go back into their slots (their UIDs carry its key).
        std::string phoneKey;
        if (std::any_of(cards.begin(), cards.end(), [](const orlin::VCard& card) {
                return orlin::ParseOwnCardUid(card.uid).has_value();
            })) {
            const std::optional<orlin::AskedPhoneKey> key = AskKey(context_.portSettings());
            if (key) phoneKey = key->key;
        }
        // National numbers are read as dialled in the region of the user's locale.
        const orlin::VCardImport plan =
            orlin::PlanVCardImport(cards, state_, orlin::LocaleRegion(), phoneKey);
        if (plan.missingSlots > 0 &&
            !MessageBoxes::warningYesNo(
                this, (plan.missingSlots % 10 == 1 && plan.missingSlots % 100 != 11
                           ? tr("Свободных ячеек не хватает: %1 из файла не поместится.\r\n"
                                "Записать те, что поместятся?")
                           : tr("Свободных ячеек не хватает: %1 из файла не поместятся.\r\n"
                                "Записать те, что поместятся?"))
                          .arg(QString::fromStdString(orlin::CountedText(
                              plan.missingSlots, "PhoneBookTab",
                              ORLIN_TRANSLATE_NOOP("PhoneBookTab", "номер"),
                              ORLIN_TRANSLATE_NOOP("PhoneBookTab", "номера"),
                              ORLIN_TRANSLATE_NOOP("PhoneBookTab", "номеров"))))))
            return;
        orlin::SlotChange report;
        orlin::SlotChange deleted;
        {
            orlin::StopButtonShown stop(sbStop);
            orlin::PhoneSession session(context_.portSettings(),
                                        orlin::PhoneSession::Options{true, true});
            withInteraction([&](orlin::Interaction& interaction) {
                report = orlin::WriteVCardImport(session, state_, plan.records, interaction);
            });
            // A failure ended it half-way: one box says what happened and what went in.
            if (orlin::ShowWriteBrokenOff(this, report, plan.records.size())) return;
            // The entries an edited card of our own no longer has, once the rest went in.
            if (!plan.toEmpty.empty() && !report.stopped && report.refused.empty() &&
                report.unsent.empty())
                deleted = orlin::DeletePhonebookEntries(session, state_, plan.toEmpty);
        }
        QStringList notes;
        if (!plan.warnings.empty())
            notes << QString::fromStdString(orlin::ImportWarningText(plan.warnings));
        if (report.refusedAccess)
            notes << tr("Телефон не дал доступа к справочнику: ничего не записано.");
        if (!report.refused.empty())
            notes << tr("Телефон не принял записи: %1.")
                         .arg(QString::fromStdString(orlin::SlotList(report.refused)));
        if (!deleted.refused.empty())
            notes << tr("Телефон не очистил ячейки: %1.")
                         .arg(QString::fromStdString(orlin::SlotList(deleted.refused)));
        if (report.stopped)
            notes << tr("Запись остановлена: записано %1 из %2.")
                         .arg(report.done.size())
                         .arg(plan.records.size());
        if (!notes.isEmpty()) MessageBoxes::warning(this, notes.join(QStringLiteral("\r\n")));
        deleted.RaiseFailure();
        readAll();
    });
}
