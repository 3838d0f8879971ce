// orlin-phonesim: a simulated Motorola phone on a pseudo-terminal, until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "phonesim/phone_simulator.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) {
    gStop = 1;
}

const char* const kUsage =
    "Usage: orlin-phonesim [options]\n"
    "A simulated Motorola phone on a pseudo-terminal. Prints PORT <path> and answers AT\n"
    "commands until SIGINT or SIGTERM.\n"
    "\n"
    "  --model NAME            phone model (default C350); the phonebook layout follows it\n"
    "  --link PATH             place a symlink to the device at PATH (e.g. ./ttyPHONE)\n"
    "  --no-echo               start with echo off (ATE1 turns it on)\n"
    "  --baud N                pace both directions at N baud, 10 bits a byte\n"
    "  --state FILE            load the contents from FILE, save them after every change\n"
    "                          (a missing FILE is created from the starting contents)\n"
    "  --empty                 start without contacts, events or messages\n"
    "                          (the built-in categories stay)\n"
    "  --log FILE              append a time-stamped transcript of the dialogue to FILE\n"
    "  --me FIRST-LAST         phone memory slots (default 1-1000)\n"
    "  --sim-size N            SIM slots after the phone memory (default 250)\n"
    "  --no-sim                a phone without a SIM card\n"
    "  --datebook-last N       datebook slots 0..N (default 500)\n"
    "  --exception-lines       AT+MDBR=i sends the +MDBRE: lines of skipped occurrences too\n"
    "Forms of real phones (the default is the form the program was written against):\n"
    "  --datebook-slots-count  AT+MDBR=? gives the number of slots N (0..N-1); slot N is refused\n"
    "  --quoted-texts          names, titles and categories in double quotes (quoted UCS2)\n"
    "  --plain-texts           the same as quoted 8-bit text, whatever the character set\n"
    "  --max-range N           AT+MPBR=a,b refused when it spans more than N slots (an L7: 15)\n"
    "  --no-datebook-lock      AT+MDBL answers ERROR; writes need no lock\n"
    "  --extended-datebook     ten numbers in AT+MDBR=?; event lines of 21 fields with the\n"
    "                          duration empty and an end time and date after the repeat code\n"
    "  --tight-headers         message headers without a blank after the commas\n"
    "  --alpha-field           message headers with an empty alpha field after the number\n"
    "  --field-after-date      the number's type after the date of a received message\n"
    "  --needs-mode N          phonebook, datebook, message and clock commands answer ERROR\n"
    "                          until AT+MODE=N\n"
    "  --quoted-args           AT+CSCS and AT+CPBS take only a quoted argument (\"UCS2\")\n"
    "  --plain-serial          +CGSN: 351234567890123, without the IMEI prefix\n"
    "  --real-forms            all of the above at once (--quoted-texts, --max-range 15,\n"
    "                          --needs-mode 2), as a later model (a V3 or an L7) answers\n"
    "Faults (CMD: the start of a command line, or * for every command):\n"
    "  --silent CMD            no echo and no answer\n"
    "  --cut CMD[:BYTES]       stop the answer after BYTES bytes (default half of it)\n"
    "  --error CMD[:cme=N]     answer ERROR (with :cme=N or :cms=N the line +CME ERROR: N or\n"
    "                          +CMS ERROR: N)\n"
    "  --numeric-errors        start as after AT+CMEE=1: refusals end in +CME ERROR: N\n"
    "  --latency MS            think MS milliseconds before every answer (paced with --baud)\n"
    "  --chunk K               write every answer in pieces of K bytes\n"
    "  --split-crlf            write CR and LF of each line end separately\n"
    "  --pause MS              pause between the pieces of the two options above (default 10)\n"
    "  --unsolicited-before CMD  send +CMTI: \"IM\",5 before the echo of CMD\n"
    "  --unsolicited-inside CMD  send it between the first two lines of the answer\n"
    "  --hang-up-after N       close the device after N commands\n"
    "  --help                  this text\n";

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "orlin-phonesim: " << message << "\n";
    std::exit(2);
}

int ToInt(const std::string& text, const std::string& option) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 100000000)
        Fail("bad number for " + option + ": " + text);
    return static_cast<int>(v);
}

}  // namespace

int main(int argc, char** argv) {
    orlin::phonesim::PhoneSimOptions o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Fail(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--model") {
            o.model = value();
            if (!orlin::phonesim::IsKnownModel(o.model))
                std::cerr << "orlin-phonesim: model " << o.model
                          << " is in no family; entries use nine fields\n";
        } else if (arg == "--link")
            o.linkPath = value();
        else if (arg == "--no-echo")
            o.echo = false;
        else if (arg == "--baud")
            o.baud = ToInt(value(), arg);
        else if (arg == "--state")
            o.stateFile = value();
        else if (arg == "--empty")
            o.seeded = false;
        else if (arg == "--log")
            o.logFile = value();
        else if (arg == "--me") {
            std::string v = value();
            size_t dash = v.find('-');
            if (dash == std::string::npos) Fail("--me wants FIRST-LAST");
            o.meFirst = ToInt(v.substr(0, dash), arg);
            o.meLast = ToInt(v.substr(dash + 1), arg);
        } else if (arg == "--sim-size")
            o.smSize = ToInt(value(), arg);
        else if (arg == "--no-sim")
            o.simPresent = false;
        else if (arg == "--datebook-last")
            o.datebookLastSlot = ToInt(value(), arg);
        else if (arg == "--exception-lines")
            o.datebookExceptionLines = true;
        else if (arg == "--datebook-slots-count")
            o.forms.datebookSlotsCount = true;
        else if (arg == "--quoted-texts")
            o.forms.quotedTexts = true;
        else if (arg == "--plain-texts")
            o.forms.plainTexts = true;
        else if (arg == "--max-range")
            o.forms.maxRange = ToInt(value(), arg);
        else if (arg == "--no-datebook-lock")
            o.forms.noDatebookLock = true;
        else if (arg == "--extended-datebook")
            o.forms.extendedDatebook = true;
        else if (arg == "--tight-headers")
            o.forms.tightHeaders = true;
        else if (arg == "--alpha-field")
            o.forms.alphaField = true;
        else if (arg == "--field-after-date")
            o.forms.fieldAfterDate = true;
        else if (arg == "--needs-mode")
            o.forms.needsMode = ToInt(value(), arg);
        else if (arg == "--quoted-args")
            o.forms.quotedArgs = true;
        else if (arg == "--plain-serial")
            o.forms.plainSerial = true;
        else if (arg == "--real-forms")
            o.forms = orlin::phonesim::AllRealForms();
        else if (arg == "--silent")
            o.faults.silentOn = value();
        else if (arg == "--cut") {
            std::string v = value();
            size_t colon = v.rfind(':');
            if (colon != std::string::npos && colon + 1 < v.size() &&
                v.find_first_not_of("0123456789", colon + 1) == std::string::npos) {
                o.faults.cutAfterBytes = ToInt(v.substr(colon + 1), arg);
                v.resize(colon);
            }
            o.faults.cutOn = v;
        } else if (arg == "--error") {
            std::string v = value();
            const size_t colon = v.rfind(':');
            if (colon != std::string::npos &&
                (v.compare(colon + 1, 4, "cme=") == 0 || v.compare(colon + 1, 4, "cms=") == 0)) {
                const std::string kind = v.substr(colon + 1, 3) == "cme" ? "CME" : "CMS";
                o.faults.errorLine =
                    "+" + kind + " ERROR: " + std::to_string(ToInt(v.substr(colon + 5), arg));
                v.resize(colon);
            }
            o.faults.errorOn = v;
        } else if (arg == "--numeric-errors")
            o.numericErrors = true;
        else if (arg == "--latency")
            o.latencyMs = ToInt(value(), arg);
        else if (arg == "--chunk")
            o.faults.chunkBytes = ToInt(value(), arg);
        else if (arg == "--split-crlf")
            o.faults.splitCrLf = true;
        else if (arg == "--pause")
            o.faults.pauseBetweenWritesMs = ToInt(value(), arg);
        else if (arg == "--unsolicited-before")
            o.faults.unsolicitedBeforeOn = value();
        else if (arg == "--unsolicited-inside")
            o.faults.unsolicitedInsideOn = value();
        else if (arg == "--hang-up-after")
            o.faults.hangUpAfterCommands = ToInt(value(), arg);
        else
            Fail("unknown option " + arg + " (see --help)");
    }

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    orlin::phonesim::PhoneSimulator phone(o);
    try {
        phone.start();
    } catch (const std::exception& e) {
        Fail(e.what());
    }
    std::cout << "PORT " << phone.portPath() << std::endl;
    while (!gStop) {
        if (phone.hungUp()) {
            std::cout << "HANGUP" << std::endl;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    phone.stop();
    return 0;
}
