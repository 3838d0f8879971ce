// Reads the whole phonebook of a simulated C350 (1,250 slots, 1,000 entries) at a line
// speed the simulated phone keeps to, and compares the wall time with the time the bytes
// need on the wire at 10 bits a byte. When gammu is installed, it reads the phone memory
// of the same phone at the same speed for comparison.
//
//   orlin-bench-phonebook [BAUD...]      (default: 19200 115200)

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/transcript_traffic.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "phonebook/phonebook_read.h"
#include "phonesim/phone_simulator.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPhoneSlots = 1000;
constexpr int kSimSlots = 250;
constexpr int kEntries = 1000;

const char* const kFirstNames[] = {"Олександр", "Марія",   "Ivan", "Олена", "Сергей", "Анна",
                                   "Дмитро",    "Natalia", "Юрій", "Ольга", "Pavel",  "Їжак"};
const char* const kLastNames[] = {"Шевченко", "Petrov",  "Коваленко", "Smirnova", "Бондар",
                                  "Ivanov",   "Мельник", "Ткаченко",  "Orlova",   "Кравець"};

// 800 entries in the phone memory, 200 on the SIM, spread over the slots.
void FillPhonebook(orlin::phonesim::PhoneState& s) {
    s.contents.phonebook.clear();
    for (int i = 0; i < kEntries; ++i) {
        orlin::phonesim::PhonebookEntry e;
        const bool sim = i >= 800;
        const int slot = sim ? s.smFirst + (i - 800) : 1 + i * kPhoneSlots / 800;
        std::string name = std::string(kFirstNames[i % 12]) + " " + kLastNames[(i / 12) % 10];
        e.name = orlin::Ucs2Prefix(name, 24);
        e.number = "+7916" + std::to_string(1000000 + i * 37);
        e.numberFormat = 145;
        e.type = sim ? 8 : i % 7;
        e.ids = i % 3 == 0 ? 255 : i % 200;
        e.category = sim ? 0 : 1 + i % 4;
        e.icon = sim ? 255 : (i % 16 == 15 ? 255 : i % 15);
        s.contents.phonebook[slot] = e;
    }
}

orlin::phonesim::PhoneSimOptions Options(int baud, const fs::path& transcript) {
    orlin::phonesim::PhoneSimOptions options;
    options.model = "C350";
    options.baud = baud;
    options.meLast = kPhoneSlots;
    options.smSize = kSimSlots;
    options.logFile = transcript.string();
    return options;
}

void RunOurs(int baud, const fs::path& work) {
    const fs::path transcript = work / ("orlin-" + std::to_string(baud) + ".log");
    fs::remove(transcript);
    orlin::phonesim::PhoneSimulator phone(Options(baud, transcript));
    phone.start();
    phone.withState(FillPhonebook);
    fs::resize_file(transcript, 0);

    orlin::PortSettings settings;
    settings.PortName = phone.portPath();
    settings.PortBaudRate = baud;
    settings.PortTimeOut = 1000;
    orlin::PhonebookState state;
    orlin::Interaction quiet;

    const auto start = Clock::now();
    orlin::PhonebookReport report;
    {
        orlin::PhoneSession session(settings);
        report = orlin::ReadPhonebook(session, state, quiet);
        report.RaiseFailure();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    phone.stop();

    const orlin::bench::Traffic t = orlin::bench::CountTraffic(transcript);
    const double wire = static_cast<double>(t.toPhone + t.fromPhone) * 10.0 / baud;
    std::printf(
        "%6d baud  slots %d  entries %d  sent %zu B  received %zu B  wire %.2f s  wall %.2f s  "
        "ratio %.3f\n",
        baud, report.slotCount, report.entries, t.toPhone, t.fromPhone, wire, wall, wall / wire);
    std::fflush(stdout);
}

bool HaveGammu() {
    return std::system("command -v gammu > /dev/null 2>&1") == 0;
}

void RunGammu(int baud, const fs::path& work) {
    const fs::path transcript = work / ("gammu-" + std::to_string(baud) + ".log");
    fs::remove(transcript);
    orlin::phonesim::PhoneSimulator phone(Options(baud, transcript));
    phone.start();
    phone.withState(FillPhonebook);

    const fs::path config = work / "gammurc";
    std::ofstream(config) << "[gammu]\ndevice = " << phone.portPath() << "\nconnection = at" << baud
                          << "\n";
    const std::string command = "timeout 600 gammu -c '" + config.string() +
                                "' getallmemory ME > '" + (work / "gammu.out").string() + "' 2>&1";
    const auto start = Clock::now();
    const int raw = std::system(command.c_str());
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    phone.stop();
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;

    size_t entries = 0;
    std::ifstream out(work / "gammu.out");
    std::string line;
    while (std::getline(out, line))
        if (line.rfind("Memory ME, Location", 0) == 0) ++entries;
    const orlin::bench::Traffic t = orlin::bench::CountTraffic(transcript);
    std::printf(
        "%6d baud  gammu getallmemory ME: exit %d  entries %zu  sent %zu B  received %zu B  "
        "wall %.2f s\n",
        baud, status, entries, t.toPhone, t.fromPhone, wall);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> bauds;
    for (int i = 1; i < argc; ++i) bauds.push_back(std::atoi(argv[i]));
    if (bauds.empty()) bauds = {19200, 115200};
    const fs::path work = fs::temp_directory_path() / ("orlin-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);

    std::printf("Reading the phonebook of a simulated C350: %d slots, %d entries\n",
                kPhoneSlots + kSimSlots, kEntries);
    const bool gammu = HaveGammu();
    for (int baud : bauds) {
        try {
            RunOurs(baud, work);
            if (gammu) RunGammu(baud, work);
        } catch (const std::exception& e) {
            std::printf("%6d baud  failed: %s\n", baud, e.what());
        }
    }
    if (!gammu) std::printf("gammu is not installed: no comparison\n");
    fs::remove_all(work);
    return 0;
}
