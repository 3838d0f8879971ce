#pragma once
// Deleting and marking messages on the phone by their index, and the texts these commands
// show. Texts are Windows-1251.

#include <string>
#include <vector>

#include "link/list_change.h"
#include "link/phone_session.h"

namespace orlin {

// What deleting did, by the indexes of the messages.
using MessagesChange = ListChange<std::string>;

// Where the indexes to delete point: any folder of the phone (AT+CPMS="MT" first, as deleting
// the selected rows does), or the storage the phone has selected (the folder read last, as
// deleting every row does).
enum class DeleteFrom { AllStorages, SelectedStorage };

// Deletes the messages in the order given, one AT+CMGD=index each; a message counts as deleted
// when the phone answered OK. A failure half-way ends it with change.failure.
MessagesChange DeleteMessages(PhoneSession& session, const std::vector<std::string>& indexes,
                              DeleteFrom from = DeleteFrom::AllStorages);

// The indexes the phone refused to delete, "Телефон не удалил сообщения: 3, 7."; empty when it
// refused none.
std::string DeleteMessagesText(const MessagesChange& change);

// AT+MMAR=index: true when the phone answered OK.
bool MarkAsRead(PhoneSession& session, const std::string& index);
// "The phone did not mark message 3 as read."
std::string MarkAsReadRefusedText(const std::string& index);

// "Нет выбранной записи..." and "Нет выделенной записи...": nothing is selected.
std::string NothingSelectedText();
std::string NothingHighlightedText();
// A row of the archive view has no index on the phone.
std::string ArchiveRowText();

}  // namespace orlin
