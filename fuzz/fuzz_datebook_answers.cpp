// The datebook's answers: the event in an AT+MDBR=slot answer (its +MDBR: line wherever it
// stands), its fields as the list and the dialog take them, the wire dates and times, the
// range answer's three numbers. The input's last bytes choose the slot and a day to test.
//   An event becomes list cells and back without change (besides what the list keeps aside).
//   A wire date or time that parses writes back as it was read.
//   An event the iCalendar export writes is one event to the import.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "datebook/datebook_event.h"
#include "datebook/datebook_write.h"
#include "datebook/ical/datebook_ical.h"
#include "link/command_fields.h"
#include "link/errors.h"
#include "link/response_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    FuzzedDataProvider input(data, size);
    const int slot = input.ConsumeIntegralInRange(0, 9999);
    const CivilDate day{input.ConsumeIntegralInRange(1900, 2100),
                        input.ConsumeIntegralInRange(0, 13), input.ConsumeIntegralInRange(0, 32)};
    const std::string answer = input.ConsumeRemainingBytesAsString();

    try {
        ParsePrefixTriple(answer);
    } catch (const EConvertError&) {
    }
    std::optional<DatebookEvent> event;
    try {
        event = EventFromAnswer(slot, answer);
    } catch (const EConvertError&) {
        return 0;
    }
    if (!event) return 0;

    // What the cells do not show (the time flag, an untimed event's start time, the extended
    // line's fields) the window keeps beside the row.
    DatebookEvent row = EventOfRow(std::to_string(slot), CellsOfEvent(*event), event->alarmDate);
    row.firstFlag = event->firstFlag;
    if (IsUntimed(*event)) row.startTime = event->startTime;
    row.extended = event->extended;
    row.durationFromEnd = event->durationFromEnd;
    row.endTime = event->endTime;
    row.endDate = event->endDate;
    row.extraFields = event->extraFields;
    if (row != *event) std::abort();

    for (const std::string* text : {&event->startDate, &event->alarmDate})
        if (const auto date = ParseWireDate(*text); date && WireDate(*date) != *text) std::abort();
    for (const std::string* text : {&event->startTime, &event->alarmTime})
        if (const auto time = ParseWireTime(*text); time && WireTime(*time) != *text) std::abort();

    EventFallsOn(*event, day);
    AlarmLeadMinutes(*event);
    const int lead = LeadOfEvent(*event);
    if (lead < 1 || lead > 1440) std::abort();
    try {
        for (char c : WriteCommand(*event))
            if (static_cast<unsigned char>(c) < 32 || c == 127) std::abort();
    } catch (const EUnsafeField&) {
        // A field from the phone that no command line may hold.
    }
    const ICalExport exported = ExportICalendar({*event});
    ExportWarning(exported);
    if (ParseICalendar(exported.text, 0).size() != static_cast<size_t>(exported.eventsWritten))
        std::abort();
    try {
        const EditValues values = EditValuesOfEvent(*event);
        WriteCommand(slot, values.draft);
    } catch (const EConvertError&) {
    } catch (const EUnsafeField&) {
    }
    return 0;
}
