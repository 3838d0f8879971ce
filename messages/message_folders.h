#pragma once
// Reading a folder of the phone (inbox "IM", outgoing and sent "OM", drafts "DM") into rows,
// archiving the inbox's new messages, and showing the archive.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/interaction.h"
#include "link/port_settings.h"
#include "messages/message_rows.h"

namespace orlin {

// Where a folder read stopped with "Проблемы с подключением. N": the command the phone
// refused.
enum class FolderFailure {
    None = 0,
    InboxList = 1,      // AT+MMGL="HEADER ONLY" for the inbox
    InboxStorage = 2,   // AT+CPMS="IM"
    OutboxList = 3,     // AT+MMGL="HEADER ONLY" for "OM"
    OutboxStorage = 4,  // AT+CPMS="OM"
    DraftsList = 5,     // AT+MMGL="HEADER ONLY" for "DM"
    DraftsStorage = 6,  // AT+CPMS="DM"
    Charset = 7,        // AT+CSCS=UCS2
};

struct FolderReport {
    FolderFailure failure = FolderFailure::None;
    bool listCleared = false;  // the read got as far as emptying the list
    std::vector<MessageRow> rows;
    std::vector<std::string> unreadable;  // indexes whose AT+MMGR answer was unusable
    bool phoneIdMissing = false;          // no archive was read or written
    int archived = 0;                     // lines appended to the archive
};

// The texts a report calls for (Windows-1251), empty when it calls for none.
std::string FailureText(FolderFailure failure);  // "Проблемы с подключением. 2"
std::string PhoneIdWarning();                    // the phone id could not be read
std::string UnreadableText(const FolderReport& report);  // the indexes that were skipped

// What the list does while the read runs: emptied once the phone took UCS2, then one row at a
// time, so that it fills visibly.
struct RowSink {
    std::function<void()> cleared;
    std::function<void(const MessageRow&)> added;
};

// The phone id from AT+CGSN, over a session of its own; none when the answer holds none.
std::optional<std::string> ReadPhoneId(const PortSettings& settings);

// Reads the folder from the phone. The inbox's messages that the archive does not hold yet are
// appended to it (when the phone id is readable). A refused command ends the read with its
// failure; rows read so far stay. Messages whose AT+MMGR answer is unusable (a refusal, no
// header, an unknown status, a text that is not phone text) are skipped and named. Port
// failures, time-outs and file errors raise. Not for MessageFolder::Archive.
FolderReport ReadMessageFolder(const PortSettings& settings, MessageFolder folder,
                               Interaction& interaction, const RowSink& sink = {});

// The archive of the connected phone as rows (creating the file empty when it is missing).
// Without a readable phone id: no rows and phoneIdMissing.
FolderReport ShowMessageArchive(const PortSettings& settings);

}  // namespace orlin
