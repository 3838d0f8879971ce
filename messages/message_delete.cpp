#include "messages/message_delete.h"

#include "link/answers.h"
#include "link/command_fields.h"
#include "link/cp1251.h"

namespace orlin {

void SelectAllStorages(PhoneSession& session) {
    session.AtCommand("AT+CPMS=\"MT\"");
}

bool DeleteMessage(PhoneSession& session, const std::string& index) {
    CheckBareField(index, Utf8ToCp1251("номер сообщения"));
    return EndsInOk(session.AtCommand("AT+CMGD=" + index));
}

bool MarkAsRead(PhoneSession& session, const std::string& index) {
    CheckBareField(index, Utf8ToCp1251("номер сообщения"));
    return EndsInOk(session.AtCommand("AT+MMAR=" + index));
}

std::string NothingSelectedText() {
    return Utf8ToCp1251("Нет выбранной записи...");
}

std::string NothingHighlightedText() {
    return Utf8ToCp1251("Нет выделенной записи...");
}

std::string ArchiveRowText() {
    return Utf8ToCp1251("Это сообщение из архива на компьютере: на телефоне его нет.");
}

std::string RefusedDeleteText(const std::vector<std::string>& indexes) {
    std::string list;
    for (const std::string& index : indexes) list += (list.empty() ? "" : ", ") + index;
    return Utf8ToCp1251(indexes.size() == 1 ? "Телефон не удалил сообщение "
                                            : "Телефон не удалил сообщения: ") +
           list + ".";
}

}  // namespace orlin
