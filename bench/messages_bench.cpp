// Reads the message folders of a simulated C350 at a line speed the simulated phone keeps to,
// with and without a think time before every answer: an inbox of 100 messages (Latin and
// Cyrillic, up to 160 characters; the read appends them all to a fresh archive) and the
// outgoing storage "OM" with 50 (read as "Исходящие" and as "Отправленные"). Each read is
// compared with what it cannot beat: its bytes on the wire at 10 bits a byte plus the phone's
// think time for every command.
//
//   orlin-bench-messages [BAUD...]      (default: 19200 115200; latency 0 and 20 ms each)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/transcript_traffic.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/phone_text.h"
#include "messages/message_folders.h"
#include "phonesim/phone_simulator.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using orlin::MessageFolder;
using orlin::phonesim::Message;
using orlin::phonesim::MessageStatus;
using orlin::phonesim::MessageStorage;

namespace {

constexpr int kInbox = 100;
constexpr int kOutgoing = 50;

const char* const kWords[] = {"Привет",  "meeting", "завтра", "в",       "at",   "семь",
                              "station", "вокзал",  "please", "позвони", "call", "Київ",
                              "ticket",  "билет",   "ok",     "дома",    "late", "Ї"};

// A text of up to 160 characters (UTF-8, as the phone keeps it): Latin words only in every
// third message, mixed otherwise.
std::string Text(int i) {
    const size_t length = 20 + static_cast<size_t>(i * 37 % 141);
    std::string text;
    for (int w = i; orlin::Ucs2Length(text) < length; ++w) {
        const std::string word = kWords[(w * 7) % 18];
        if (i % 3 == 0 && static_cast<unsigned char>(word[0]) >= 0x80) continue;
        text += (text.empty() ? "" : " ") + word;
    }
    return orlin::Ucs2Prefix(text, length);
}

void Fill(orlin::phonesim::PhoneState& s) {
    s.messageCapacity = 200;
    s.contents.messages.clear();
    for (int i = 0; i < kInbox; ++i) {
        char date[32];
        std::snprintf(date, sizeof date, "2026/%d/%d,%02d:%02d:%02d", 1 + i % 12, 1 + i % 28,
                      i % 24, i % 60, (i * 7) % 60);
        s.contents.messages[1 + i] = {MessageStorage::IM,
                                      i % 4 ? MessageStatus::RecRead : MessageStatus::RecUnread,
                                      "+7916" + std::to_string(1000000 + i * 13), date, Text(i)};
    }
    for (int i = 0; i < kOutgoing; ++i)
        s.contents.messages[1 + kInbox + i] = {
            MessageStorage::OM, i % 5 < 2 ? MessageStatus::StoUnsent : MessageStatus::StoSent,
            "+7903" + std::to_string(2000000 + i * 17), "", Text(1000 + i)};
}

struct Case {
    MessageFolder folder;
    const char* name;
};

void Run(int baud, int latency, const Case& c, const fs::path& work) {
    const fs::path transcript = work / "phone.log";
    fs::remove(transcript);
    fs::remove_all(work / "archive");
    fs::create_directories(work / "archive");
    orlin::phonesim::PhoneSimOptions options;
    options.model = "C350";
    options.baud = baud;
    options.latencyMs = latency;
    options.logFile = transcript.string();
    orlin::phonesim::PhoneSimulator phone(options);
    phone.start();
    phone.withState(Fill);
    fs::resize_file(transcript, 0);
    const uint64_t before = phone.commandsReceived();

    orlin::PortSettings settings;
    settings.PortName = phone.portPath();
    settings.PortBaudRate = baud;
    settings.PortTimeOut = 1000 + latency;
    orlin::Interaction quiet;
    const fs::path previous = fs::current_path();
    fs::current_path(work / "archive");  // the archive goes into the current directory
    const auto start = Clock::now();
    orlin::FolderReport report;
    {
        orlin::PhoneSession::Options options;
        options.useSettingsTimeout = true;
        orlin::PhoneSession session(settings, options);
        report = orlin::ReadMessageFolder(session, c.folder, quiet);
    }
    report.RaiseFailure();
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    fs::current_path(previous);
    const uint64_t commands = phone.commandsReceived() - before;
    phone.stop();

    const double wire = orlin::bench::CountTraffic(transcript).wireSeconds(baud);
    const double thinking = static_cast<double>(commands) * latency / 1000.0;
    std::printf(
        "%6d baud  latency %2d ms  %-13s rows %3zu  archived %3d  commands %3llu  wall %6.3f s  "
        "wire+latency %6.3f s  ratio %.3f\n",
        baud, latency, c.name, report.rows.size(), report.archived,
        static_cast<unsigned long long>(commands), wall, wire + thinking, wall / (wire + thinking));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> bauds;
    for (int i = 1; i < argc; ++i) bauds.push_back(std::atoi(argv[i]));
    if (bauds.empty()) bauds = {19200, 115200};
    const fs::path work =
        fs::temp_directory_path() / ("orlin-bench-messages-" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::printf("Reading the message folders of a simulated C350: %d in IM, %d in OM\n", kInbox,
                kOutgoing);
    const Case cases[] = {{MessageFolder::Inbox, "inbox"},
                          {MessageFolder::Outgoing, "OM unsent"},
                          {MessageFolder::Sent, "OM sent"}};
    for (int baud : bauds)
        for (int latency : {0, 20})
            for (const Case& c : cases) {
                try {
                    Run(baud, latency, c, work);
                } catch (const std::exception& e) {
                    std::printf("%6d baud  latency %2d ms  %s failed: %s\n", baud, latency, c.name,
                                e.what());
                }
            }
    fs::remove_all(work);
    return 0;
}
