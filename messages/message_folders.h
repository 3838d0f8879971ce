#pragma once
// Reading a folder of the phone (inbox "IM", outgoing and sent "OM", drafts "DM") into rows,
// archiving the inbox's new messages, and reading the archive.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/list_change.h"
#include "link/phone_session.h"
#include "messages/message_rows.h"

namespace orlin {

// How a folder read ended. Each refusal names the command the phone refused; the window says
// "Проблемы с подключением. N" with its number.
enum class FolderStatus {
    Done = 0,
    InboxList = 1,      // AT+MMGL="HEADER ONLY" for the inbox
    InboxStorage = 2,   // AT+CPMS="IM"
    OutboxList = 3,     // AT+MMGL="HEADER ONLY" for "OM"
    OutboxStorage = 4,  // AT+CPMS="OM"
    DraftsList = 5,     // AT+MMGL="HEADER ONLY" for "DM"
    DraftsStorage = 6,  // AT+CPMS="DM"
    Charset = 7,        // AT+CSCS=UCS2
};

struct FolderReport : OperationReport {
    FolderStatus status = FolderStatus::Done;
    bool listCleared = false;  // the read got as far as emptying the list
    std::vector<MessageRow> rows;
    std::vector<std::string> unreadable;  // indexes whose AT+MMGR answer was unusable
    bool phoneIdMissing = false;          // no archive was read or written
    int archived = 0;                     // lines appended to the archive
};

// The error box of a refusal, "Проблемы с подключением. 2"; empty for Done. UTF-8,
// like StatusText, PhoneIdWarning and UnreadableText below: the backup raises them as the
// text of an exception.
std::string StatusText(const FolderReport& report);
// The warnings of a read, one box each: the phone id that could not be read, the messages that
// were skipped.
std::vector<std::string> WarningTexts(const FolderReport& report);
std::string PhoneIdWarning();                            // the phone id could not be read
std::string UnreadableText(const FolderReport& report);  // the indexes that were skipped

// What the list does while the read runs: emptied once the phone took UCS2, then one row at a
// time, so that it fills visibly.
struct RowSink {
    std::function<void()> cleared;
    std::function<void(const MessageRow&)> added;
};

// The phone id from AT+CGSN; none when the answer holds none.
std::optional<std::string> ReadPhoneId(PhoneSession& session);

// Reads the folder from the phone: the phone id (AT+CGSN), then the folder. The inbox's
// messages that the archive does not hold yet are appended to it (when the phone id is
// readable). A refused command ends the read with its status; rows read so far stay. Messages
// whose AT+MMGR answer is unusable (a refusal, no header, an unknown status, a text that is not
// phone text) are skipped and named. A port failure, a time-out or a file error ends the read
// with report.failure (nothing is archived then). Not for MessageFolder::Archive.
FolderReport ReadMessageFolder(PhoneSession& session, MessageFolder folder,
                               Interaction& interaction, const RowSink& sink = {});

// The archive of the connected phone as rows (creating the file empty when it is missing).
// Without a readable phone id: no rows and phoneIdMissing.
FolderReport ReadMessageArchive(PhoneSession& session);

}  // namespace orlin
