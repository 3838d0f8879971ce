#include "ui/write_broken_off.h"

#include <QCoreApplication>
#include <QStringList>

#include "link/connection_lost.h"
#include "link/slot_list.h"
#include "ui/message_boxes.h"
#include "ui/orlin_application.h"

namespace orlin {

namespace {

QString Listed(const std::vector<int>& numbers) {
    return QString::fromStdString(SlotList(numbers));
}

}  // namespace

QString WriteBrokenOffText(const SlotChange& change, size_t total, const std::exception& failure) {
    QStringList lines;
    const auto* lineError = dynamic_cast<const ESynaSerError*>(&failure);
    if (lineError != nullptr && IsConnectionLost(*lineError))
        lines << QString::fromStdString(ConnectionLostText(*lineError));
    else
        lines << ErrorBoxText(QString::fromUtf8(failure.what()));
    if (change.done.empty())
        lines << QCoreApplication::translate("WriteBrokenOff", "В телефон ничего не записано.");
    else
        lines << QCoreApplication::translate("WriteBrokenOff",
                                             "В телефон записано %1 из %2 (ячейки %3).")
                     .arg(change.done.size())
                     .arg(total)
                     .arg(Listed(change.done));
    if (!change.refused.empty())
        lines << QCoreApplication::translate("WriteBrokenOff", "Телефон не принял: ячейки %1.")
                     .arg(Listed(change.refused));
    if (change.unanswered)
        lines << QCoreApplication::translate(
                     "WriteBrokenOff",
                     "Ячейка %1: ответ телефона не пришёл, проверьте её после чтения.")
                     .arg(*change.unanswered);
    if (!change.unsent.empty())
        lines << QCoreApplication::translate("WriteBrokenOff", "Не отправлены: ячейки %1.")
                     .arg(Listed(change.unsent));
    return lines.join(QStringLiteral("\r\n"));
}

bool ShowWriteBrokenOff(QWidget* parent, const SlotChange& change, size_t total) {
    if (!change.Failed()) return false;
    try {
        change.RaiseFailure();
    } catch (const OperationAbandoned&) {
        throw;
    } catch (const std::exception& failure) {
        MessageBoxes::error(parent, WriteBrokenOffText(change, total, failure));
    }
    return true;
}

}  // namespace orlin
