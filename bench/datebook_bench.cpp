// Reads the whole datebook of a simulated C350 (501 slots, 250 events) at a line speed the
// simulated phone keeps to, with and without a think time before every answer, and compares
// the wall time with what the exchange needs at the least: the bytes on the wire at 10 bits
// a byte plus the think times. Then the quick read against the full one on the seeded phone
// (a dozen events) at 115200 baud with a real phone's 30 ms per command: the quick read must
// be at least 10 times faster, and within 1.05 of its wire time plus think times.
//
//   orlin-bench-datebook [BAUD...]      (default: 19200 115200; latency 0 and 20 ms each)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/transcript_traffic.h"
#include "datebook/datebook_read.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "phonesim/phone_simulator.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kLastSlot = 500;
constexpr int kEvents = 250;

const char* const kTitles[] = {"Планёрка",           "Оплатить квартиру", "Dentist",
                               "Зустріч з Олексієм", "Language course",   "Backup phone",
                               "День рождения",      "Поезд в Киев"};

// 250 events on every other slot, with and without alarms, every repeat code.
void FillDatebook(orlin::phonesim::PhoneState& s) {
    s.contents.events.clear();
    for (int i = 0; i < kEvents; ++i) {
        orlin::phonesim::DatebookEvent e;
        e.title = std::string(kTitles[i % 8]) + " " + std::to_string(i);
        const int day = 1 + i % 28, month = 1 + i % 12;
        char date[16], time[8];
        std::snprintf(date, sizeof date, "%02d-%02d-2027", month, day);
        std::snprintf(time, sizeof time, "%02d:%02d", 8 + i % 12, (i * 5) % 60);
        e.startDate = date;
        e.startTime = time;
        e.duration = 15 + i % 120;
        e.alarmOn = i % 3 == 0 ? 0 : 1;
        if (e.alarmOn) {
            e.alarmDate = date;
            std::snprintf(time, sizeof time, "%02d:%02d", 7 + i % 12, (i * 5) % 60);
            e.alarmTime = time;
        }
        e.repeat = i % 6;
        s.contents.events[i * 2] = e;
    }
}

struct Timing {
    double wall = 0;
    double least = 0;  // wire time plus think times
};

Timing Run(int baud, int latencyMs, const fs::path& work, bool seeded = false, bool quick = false) {
    const fs::path transcript =
        work / ("datebook-" + std::to_string(baud) + "-" + std::to_string(latencyMs) +
                (quick ? "-quick" : "") + ".log");
    orlin::phonesim::PhoneSimOptions options;
    options.model = "C350";
    options.baud = baud;
    options.latencyMs = latencyMs;
    options.datebookLastSlot = kLastSlot;
    options.logFile = transcript.string();
    orlin::phonesim::PhoneSimulator phone(options);
    phone.start();
    if (!seeded) phone.withState(FillDatebook);
    fs::resize_file(transcript, 0);

    orlin::PortSettings settings;
    settings.PortName = phone.portPath();
    settings.PortBaudRate = baud;
    settings.PortTimeOut = 1000;
    orlin::DatebookReport read;
    orlin::Interaction quiet;
    const uint64_t before = phone.commandsReceived();
    const auto start = Clock::now();
    {
        orlin::PhoneSession session(settings);
        orlin::DatebookReadOptions readOptions;
        readOptions.quick = quick;
        read = orlin::ReadDatebook(session, quiet, readOptions);
        read.RaiseFailure();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const uint64_t commands = phone.commandsReceived() - before;
    phone.stop();

    const orlin::bench::Traffic traffic = orlin::bench::CountTraffic(transcript);
    const size_t bytes = traffic.total();
    const double wire = traffic.wireSeconds(baud);
    const double thinking = static_cast<double>(commands) * latencyMs / 1000.0;
    std::printf(
        "%6d baud  latency %2d ms  %sslots %d  events %zu  commands %llu  bytes %zu  wire %.2f s  "
        "+ latency %.2f s = %.2f s  wall %.2f s  ratio %.3f\n",
        baud, latencyMs, !seeded ? "" : (quick ? "quick read  " : "full read  "), read.lastSlot + 1,
        read.events.size(), static_cast<unsigned long long>(commands), bytes, wire, thinking,
        wire + thinking, wall, wall / (wire + thinking));
    std::fflush(stdout);
    return {wall, wire + thinking};
}

// The seeded phone at a real phone's speed: the quick read against the full one. False when
// the quick read is not 10 times faster or not within 1.05 of its least time.
bool CompareQuickRead(const fs::path& work) {
    std::printf("The seeded C350 (12 events) at 115200 baud, 30 ms per command:\n");
    const Timing full = Run(115200, 30, work, true, false);
    const Timing quick = Run(115200, 30, work, true, true);
    const double faster = full.wall / quick.wall, ratio = quick.wall / quick.least;
    const bool good = faster >= 10.0 && ratio <= 1.05;
    std::printf("quick read: %.1f times faster than the full read, %.3f of its least time (%s)\n",
                faster, ratio, good ? "ok" : "too slow");
    return good;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> bauds;
    for (int i = 1; i < argc; ++i) bauds.push_back(std::atoi(argv[i]));
    if (bauds.empty()) bauds = {19200, 115200};
    const fs::path work =
        fs::temp_directory_path() / ("orlin-datebook-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::printf("Reading the datebook of a simulated C350: %d slots, %d events\n", kLastSlot + 1,
                kEvents);
    for (int baud : bauds)
        for (int latency : {0, 20}) {
            try {
                Run(baud, latency, work);
            } catch (const std::exception& e) {
                std::printf("%6d baud  latency %d ms  failed: %s\n", baud, latency, e.what());
            }
        }
    bool good = true;
    try {
        good = CompareQuickRead(work);
    } catch (const std::exception& e) {
        std::printf("quick read failed: %s\n", e.what());
        good = false;
    }
    fs::remove_all(work);
    return good ? 0 : 1;
}
