// The phonebook tab's exchange with vCard files: "Экспорт в vCard..." and "Импорт из vCard..."
// of the main menu "Справочник" and of the list's pop-up menu.

#include <QFile>
#include <QFileDialog>
#include <QToolButton>
#include <QTreeWidget>

#include "link/plural.h"
#include "link/whole_file.h"
#include "phonebook/phone_number.h"
#include "phonebook/phonebook_tab.h"
#include "phonebook/vcard.h"
#include "ui/busy_state.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"
#include "ui/phone_text_qt.h"
#include "ui/window_context.h"

using orlin::FromCp1251;

namespace {

std::string VCardFileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString SlotList(const std::vector<int32_t>& slotNumbers) {
    QStringList list;
    for (int32_t slot : slotNumbers) list << QString::number(slot);
    return list.join(QStringLiteral(", "));
}

// The Stop button stays shown while the import writes.
class StopShown {
public:
    explicit StopShown(QWidget* stop) : stop_(stop) { stop_->setVisible(true); }
    ~StopShown() { stop_->setVisible(false); }
    StopShown(const StopShown&) = delete;
    StopShown& operator=(const StopShown&) = delete;

private:
    QWidget* stop_;
};

}  // namespace

QFileDialog* PhoneBookTab::makeVCardDialog(bool save) {
    const QString vcard = QStringLiteral("vCard (*.vcf)");
    QFileDialog* dialog = orlin::MakeFileDialog(
        this, save, {vcard, QStringLiteral("Все файлы (*)")}, vcard, QStringLiteral("vcf"));
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
            MessageBoxes::information(this, QStringLiteral("Список пуст, сохранять нечего !"));
            return;
        }
        if (ExportVCardDialog->exec() != QDialog::Accepted ||
            ExportVCardDialog->selectedFiles().isEmpty())
            return;
        orlin::WriteWholeFile(VCardFileName(ExportVCardDialog->selectedFiles().first()),
                              orlin::VCardText(state_));
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
            VCardFileName(ImportVCardDialog->selectedFiles().first()), orlin::kMostVCardBytes));
        if (cards.empty()) {
            MessageBoxes::information(this, QStringLiteral("В файле нет карточек vCard."));
            return;
        }
        if (!readAll()) return;
        // National numbers are read as dialled in the region of the user's locale.
        const orlin::VCardImport plan =
            orlin::PlanVCardImport(cards, state_, orlin::LocaleRegion());
        if (plan.missingSlots > 0 &&
            !MessageBoxes::warningYesNo(
                this, QStringLiteral("Свободных ячеек не хватает: %1 из файла не %2.\r\n"
                                     "Записать те, что поместятся?")
                          .arg(QString::fromStdString(
                              orlin::RussianCount(plan.missingSlots, "номер", "номера", "номеров")))
                          .arg(QString::fromStdString(std::string(orlin::RussianPluralForm(
                              plan.missingSlots, "поместится", "поместятся", "поместятся"))))))
            return;
        orlin::VCardWriteReport report;
        {
            StopShown stop(sbStop);
            orlin::PhoneSession session(context_.portSettings(),
                                        orlin::PhoneSession::Options{true, true});
            withInteraction([&](orlin::Interaction& interaction) {
                report = orlin::WriteVCardImport(session, state_, plan.records, interaction);
            });
        }
        QStringList notes;
        if (!plan.warnings.empty()) notes << FromCp1251(orlin::ImportWarningText(plan.warnings));
        if (!plan.records.empty() && !report.started)
            notes << QStringLiteral("Телефон не дал доступа к справочнику: ничего не записано.");
        if (!report.refused.empty())
            notes << QStringLiteral("Телефон не принял записи: %1.").arg(SlotList(report.refused));
        if (report.stopped)
            notes << QStringLiteral("Запись остановлена: записано %1 из %2.")
                         .arg(report.written)
                         .arg(plan.records.size());
        if (!notes.isEmpty()) MessageBoxes::warning(this, notes.join(QStringLiteral("\r\n")));
        readAll();
    });
}
