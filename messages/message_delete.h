#pragma once
// Deleting and marking messages on the phone by their index, and the texts these commands
// show. Texts are Windows-1251.

#include <string>
#include <vector>

#include "link/phone_session.h"

namespace orlin {

// AT+CPMS="MT": every storage, so that an index of any folder names its message.
void SelectAllStorages(PhoneSession& session);

// AT+CMGD=index: true when the phone answered OK.
bool DeleteMessage(PhoneSession& session, const std::string& index);

// AT+MMAR=index: true when the phone answered OK.
bool MarkAsRead(PhoneSession& session, const std::string& index);

// "Нет выбранной записи..." and "Нет выделенной записи...": nothing is selected.
std::string NothingSelectedText();
std::string NothingHighlightedText();
// A row of the archive view has no index on the phone.
std::string ArchiveRowText();
// The indexes the phone refused to delete, "Телефон не удалил сообщения: 3, 7.".
std::string RefusedDeleteText(const std::vector<std::string>& indexes);

}  // namespace orlin
