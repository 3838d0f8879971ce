// The AT exchange loop, TBlockSerial::AtCommand, over a line in memory: the phone's bytes come
// from the input in pieces the input chooses, with line errors where it says, over one to
// three exchanges on the same port object (what one leaves unread, the next reads first).
// The input's last bytes choose the command, raising, the read plan and the exchanges; the
// rest is what the phone sends, one answer per command, separated by the byte 0x1E.
//   Every answer is whole lines: empty or ending in CR LF.
//   AtOk only with an answer whose final line is OK.
//   What is set aside is unsolicited for the command (or the data line of one), never more
//   lines than are kept, and never the final line.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "fuzz/fuzz_support.h"
#include "link/answers.h"
#include "link/block_serial.h"
#include "link/unsolicited.h"

namespace {

const char* const kCommands[] = {
    "AT",        "AT+CGMM",         "AT+CREG?",
    "AT+CLIP=1", "AT+MMGR=4",       "AT+MPBR=?",
    "AT+CCLK?",  "AT+CPMS=\"IM\"",  "AT+MMGL=\"HEADER ONLY\"",
    "ATI1",      "AT+MDBR=5",       "AT+CGSN",
    "RING",      "AT+CMER=3,0,0,1", "AT+CNMI=2,1",
    "AT+MODE=2",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orlin;
    FuzzedDataProvider input(data, size);
    const std::string command = input.PickValueInArray(kCommands);
    const bool raise = input.ConsumeBool();
    const int exchanges = input.ConsumeIntegralInRange(1, 3);
    std::vector<uint8_t> plan = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange(0, 6));
    const std::string phone = input.ConsumeRemainingBytesAsString();

    auto port = fuzz::MemoryPort(fuzz::SplitAnswers(phone), std::move(plan), raise);
    for (int i = 0; i < exchanges; ++i) {
        const size_t droppedBefore = port->DroppedUnsolicitedLines();
        std::string answer;
        try {
            answer = port->AtCommand(command);
        } catch (const ESynaSerError&) {
            if (!raise) std::abort();
            // What an exchange that raised set aside may end in a code without its data line.
            port->TakeUnsolicitedLines();
            continue;
        }
        if (!answer.empty() && answer.compare(answer.size() - 2, 2, "\r\n") != 0) std::abort();
        if (port->AtOk && !EndsInOk(answer)) std::abort();
        const std::vector<std::string> aside = port->TakeUnsolicitedLines();
        if (aside.size() > TBlockSerial::kUnsolicitedLinesKept) std::abort();
        // With older lines dropped the first one kept may be a data line whose code went.
        if (port->DroppedUnsolicitedLines() != droppedBefore) continue;
        bool dataLine = false;
        for (const std::string& line : aside) {
            if (!dataLine && !IsUnsolicitedFor(line, command)) std::abort();
            if (!dataLine && (line == "OK" || line == "ERROR" || IsErrorFinalLine(line)))
                std::abort();
            dataLine = !dataLine && UnsolicitedCarriesDataLine(line);
        }
    }
    return 0;
}
