#pragma once
// Deleting and marking messages on the phone by their index, and the texts these commands
// show. The texts are UTF-8 (only the messages tab and orlin-cli show them).

#include <string>
#include <vector>

#include "link/list_change.h"
#include "link/phone_session.h"
#include "link/text_types.h"

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
Utf8Text DeleteMessagesText(const MessagesChange& change);

// AT+MMAR=index: true when the phone answered OK.
bool MarkAsRead(PhoneSession& session, const std::string& index);
// "The phone did not mark message 3 as read."
Utf8Text MarkAsReadRefusedText(const std::string& index);

// "Нет выбранной записи..." and "Нет выделенной записи...": nothing is selected.
Utf8Text NothingSelectedText();
Utf8Text NothingHighlightedText();
// A row of the archive view has no index on the phone.
Utf8Text ArchiveRowText();

}  // namespace orlin
