#include "phonesim/phone_simulator.h"

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "link/transcript.h"
#include "phonesim/at_engine.h"
#include "phonesim/pty_line.h"
#include "phonesim/state_file.h"

namespace orlin::phonesim {
namespace {

constexpr char kCtrlZ = 26;
constexpr char kEsc = 27;

// Blanks do not count ("AT+CPBS" also picks "AT +CPBS=ME"), nor does letter case, nor do
// double quotes: a phone that refuses AT+CPBS=MT refuses AT+CPBS="MT" as well.
std::string Comparable(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '"')
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool Matches(const std::string& filter, const std::string& line) {
    if (filter.empty()) return false;
    if (filter == "*") return true;
    std::string f = Comparable(filter), l = Comparable(line);
    return l.compare(0, f.size(), f) == 0;
}

constexpr size_t kCommandLogLimit = 100000;
// A client that left in the middle of a message does not keep the phone in text entry.
constexpr auto kTextEntryTimeout = std::chrono::seconds(5);

void ApplyModel(PhoneState& s, const std::string& model) {
    s.model = model;
    s.family = FamilyOfModel(model);
    // Every model answers the three bands of PhoneState, as a C350 does:
    // +CGMM: "GSM900","GSM1800","GSM1900","MODEL=C350".
    switch (s.family) {
        case PhonebookFamily::NineField:
            s.firmware = "G_05_01.0BR";
            break;
        case PhonebookFamily::ThirteenField:
            s.firmware = "R374_G_0E.41.C3R_A";
            break;
        case PhonebookFamily::SixteenField:
            s.firmware = "R4513_G_08.B7.ACR_RB";
            break;
    }
}

}  // namespace

struct PhoneSimulator::Impl {
    explicit Impl(const PhoneSimOptions& o) : options(o), engine(state) {}

    PhoneSimOptions options;
    mutable std::mutex mu;  // the state, the engine, the faults
    PhoneState state;
    AtEngine engine;
    FaultOptions faults;

    PtyLine line;
    int wake[2] = {-1, -1};
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};
    std::atomic<bool> hungUp{false};
    std::ofstream log;
    std::string linkMade;

    // Receiving.
    std::string lineBuf;            // the command line so far (without CR)
    std::string textBuf;            // message text after the AT+CMGW prompt
    bool cutMessageAnswer = false;  // the cut fault met AT+CMGW: its answer after the text
    bool swallowCr = false;         // the CR that follows Ctrl-Z gets no answer
    bool skipLf = false;            // an LF right after a CR ends nothing
    // When the first byte of the line (or message text) being collected had come in: a
    // phone echoes each byte as it arrives, so the echo overlaps the command on the line.
    std::optional<PtyLine::Clock::time_point> echoFrom;
    PtyLine::Clock::time_point lastInput{};
    bool saveFailed = false;

    void saveLocked() {
        if (!options.stateFile.empty()) SaveStateFile(options.stateFile, state.contents);
    }

    // On the phone's own thread a failed save must not end the program: the phone goes on
    // answering and says once what went wrong.
    void saveFromPhoneThread() {
        try {
            saveLocked();
            saveFailed = false;
        } catch (const std::exception& e) {
            if (!saveFailed) std::fprintf(stderr, "orlin-phonesim: %s\n", e.what());
            saveFailed = true;
        }
    }

    void transcript(const char* direction, const std::string& bytes) {
        if (!log.is_open()) return;
        // The same line form as the program's own transcript (orlin-cli --log).
        log << TranscriptLine(std::chrono::system_clock::now(), direction[0], bytes) << '\n';
        log.flush();
    }

    // Splits the bytes to send into the writes that the faults ask for.
    std::vector<std::string> pieces(const std::string& bytes, const FaultOptions& f) const {
        std::vector<std::string> out{bytes};
        if (f.splitCrLf) {
            std::vector<std::string> split;
            for (const auto& p : out) {
                size_t start = 0;
                for (size_t i = 0; i + 1 < p.size(); ++i)
                    if (p[i] == '\r' && p[i + 1] == '\n') {
                        split.push_back(p.substr(start, i + 1 - start));
                        start = i + 1;
                    }
                split.push_back(p.substr(start));
            }
            out.swap(split);
        }
        if (f.chunkBytes > 0) {
            std::vector<std::string> chunks;
            for (const auto& p : out)
                for (size_t i = 0; i < p.size(); i += f.chunkBytes)
                    chunks.push_back(p.substr(i, f.chunkBytes));
            out.swap(chunks);
        }
        std::vector<std::string> nonEmpty;
        for (auto& p : out)
            if (!p.empty()) nonEmpty.push_back(std::move(p));
        return nonEmpty;
    }

    bool send(const std::string& bytes, const FaultOptions& f,
              std::optional<PtyLine::Clock::time_point> earliest = {}) {
        if (bytes.empty()) return true;
        transcript(">", bytes);
        return line.write(pieces(bytes, f), std::chrono::milliseconds(f.pauseBetweenWritesMs),
                          stopping, earliest);
    }

    // The phone's think time between a command (or a message text) and its answer.
    void think() {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(options.latencyMs);
        while (!stopping && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                until - std::chrono::steady_clock::now(), std::chrono::milliseconds(5)));
    }

    // The cut fault: the answer stops after cutAfterBytes bytes, or half-way.
    static void Cut(std::string& body, const FaultOptions& f) {
        const size_t keep = f.cutAfterBytes > 0 ? f.cutAfterBytes : body.size() / 2;
        body.resize(std::min(keep, body.size()));
    }

    // The echo (paced while the command came in), the think time, then the answer.
    void sendAnswer(const std::string& echo, const std::string& body, const FaultOptions& f,
                    std::optional<PtyLine::Clock::time_point> echoFrom) {
        if (options.latencyMs <= 0) {
            send(echo + body, f, echoFrom);
            return;
        }
        if (!send(echo, f, echoFrom)) return;
        think();
        send(body, f);
    }

    // One command line has come in (`received` holds its bytes with the CR).
    void handleCommand(const std::string& command, const std::string& received) {
        transcript("<", received);
        FaultOptions f;
        bool echo;
        Answer answer;
        uint64_t count;
        {
            std::lock_guard<std::mutex> lock(mu);
            f = faults;
            echo = state.echo;
            if (state.commandLog.size() >= kCommandLogLimit)
                state.commandLog.erase(state.commandLog.begin(),
                                       state.commandLog.begin() + kCommandLogLimit / 2);
            state.commandLog.push_back(command);
            count = ++state.commandsReceived;
            if (Matches(f.silentOn, command)) {
                answer.lines.clear();
            } else if (Matches(f.errorOn, command)) {
                answer = Error(state, CmeUnknown);
                if (!f.errorLine.empty()) answer.lines.back().text = f.errorLine;
            } else {
                answer = engine.execute(command);
                if (answer.contentsChanged) saveFromPhoneThread();
            }
        }
        if (!Matches(f.silentOn, command)) {
            std::string out;
            std::string unsolicited = "\r\n" + f.unsolicitedLine + "\r\n";
            bool before = Matches(f.unsolicitedBeforeOn, command);
            if (before) out += unsolicited;
            if (echo) out += received;
            std::string body = AnswerBytes(answer);
            if (Matches(f.unsolicitedInsideOn, command)) {
                // Between the first two lines of the answer (or before its only line).
                size_t at = 0;
                if (answer.lines.size() >= 2) {
                    const auto& first = answer.lines[0];
                    at = (first.framed ? 2 : 0) + first.text.size() + 2;
                }
                body.insert(at, unsolicited);
            }
            // A command that prompts for a text answers after the text: the cut meets that.
            cutMessageAnswer = answer.prompt && Matches(f.cutOn, command);
            if (Matches(f.cutOn, command) && !answer.prompt) Cut(body, f);
            sendAnswer(out, body, f, echo && !before ? echoFrom : std::nullopt);
        }
        if (f.hangUpAfterCommands > 0 && count >= static_cast<uint64_t>(f.hangUpAfterCommands))
            hangUp();
    }

    void handleMessageEnd(bool cancelled, const std::string& received) {
        transcript("<", received);
        FaultOptions f;
        Answer answer;
        bool echo;
        {
            std::lock_guard<std::mutex> lock(mu);
            f = faults;
            echo = state.echo;
            answer = engine.finishMessage(textBuf, cancelled);
            if (answer.contentsChanged) saveFromPhoneThread();
        }
        std::string out = echo ? textBuf : "";
        std::string body = AnswerBytes(answer);
        if (cutMessageAnswer) Cut(body, f);
        cutMessageAnswer = false;
        sendAnswer(out, body, f, echo && !textBuf.empty() ? echoFrom : std::nullopt);
        textBuf.clear();
    }

    void hangUp() {
        transcript("!", "hang up");
        // Closing the master drops what the client has not read yet; let it read first.
        line.waitUntilRead(std::chrono::milliseconds(2000));
        line.hangUp();
        hungUp = true;
        stopping = true;
    }

    // Takes the bytes that came in, byte by byte; commands run when their CR has arrived.
    void receive(const std::string& bytes, PtyLine::Clock::time_point readAt) {
        bool inText = false;
        {
            std::lock_guard<std::mutex> lock(mu);
            inText = engine.awaitingMessageText();
        }
        for (size_t i = 0; i < bytes.size() && !stopping; ++i) {
            char c = bytes[i];
            auto arrival = line.arrivalOf(1, readAt);
            if (swallowCr) {
                swallowCr = false;
                if (c == '\r') {
                    transcript("<", "\r");
                    continue;
                }
            }
            if (inText) {
                if (c == kCtrlZ || c == kEsc) {
                    PtyLine::sleepUntil(arrival, stopping);
                    handleMessageEnd(c == kEsc, textBuf + c);
                    echoFrom.reset();
                    inText = false;
                    swallowCr = true;
                } else {
                    if (!echoFrom) echoFrom = arrival;
                    textBuf += c;
                }
                continue;
            }
            if (c == '\n' && skipLf && lineBuf.empty()) {
                skipLf = false;
                continue;
            }
            skipLf = false;
            if (!echoFrom) echoFrom = arrival;
            if (c == '\r') {
                PtyLine::sleepUntil(arrival, stopping);
                std::string command = lineBuf;
                lineBuf.clear();
                skipLf = true;
                handleCommand(command, command + "\r");
                echoFrom.reset();
                std::lock_guard<std::mutex> lock(mu);
                inText = engine.awaitingMessageText();
                continue;
            }
            if (c == kEsc) continue;  // cancels text entry; means nothing in a command line
            if (c == '\b' || c == 127) {
                if (!lineBuf.empty()) lineBuf.pop_back();
                continue;
            }
            if (lineBuf.size() < 8192) lineBuf += c;
        }
    }

    void abandonStaleTextEntry() {
        std::lock_guard<std::mutex> lock(mu);
        if (!engine.awaitingMessageText() || PtyLine::Clock::now() - lastInput < kTextEntryTimeout)
            return;
        engine.finishMessage({}, true);
        textBuf.clear();
        echoFrom.reset();
        transcript("!", "message text abandoned");
    }

    void run() {
        while (!stopping) {
            pollfd fds[2] = {{line.masterFd(), POLLIN, 0}, {wake[0], POLLIN, 0}};
            int n = ::poll(fds, 2, 200);
            if (stopping) break;
            if (n <= 0) {
                abandonStaleTextEntry();
                continue;
            }
            if (fds[1].revents & POLLIN) break;
            if (fds[0].revents & POLLIN) {
                auto readAt = PtyLine::Clock::now();
                lastInput = readAt;
                std::string bytes = line.readAvailable();
                if (!bytes.empty()) receive(bytes, readAt);
            } else if (fds[0].revents & (POLLHUP | POLLERR)) {
                // Cannot happen while we hold the slave; do not spin if it does.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        running = false;
    }
};

PhoneSimulator::PhoneSimulator(PhoneSimOptions options) : options_(std::move(options)) {}

PhoneSimulator::~PhoneSimulator() {
    stop();
}

void PhoneSimulator::start() {
    if (impl_) throw std::runtime_error("the simulated phone is already started");
    auto impl = std::make_unique<Impl>(options_);
    PhoneState& s = impl->state;
    ApplyModel(s, options_.model);
    s.echo = options_.echo;
    s.verboseErrors = options_.numericErrors;
    s.simPresent = options_.simPresent;
    if (options_.meFirst < 1 || options_.meLast < options_.meFirst || options_.smSize < 1 ||
        options_.datebookLastSlot < 0)
        throw std::runtime_error("invalid storage layout");
    s.meFirst = options_.meFirst;
    s.meLast = options_.meLast;
    s.smFirst = options_.meLast + 1;
    s.smLast = options_.meLast + options_.smSize;
    s.datebookLastSlot = options_.datebookLastSlot;
    s.datebookExceptionsOnSingleReads = options_.datebookExceptionLines;
    s.forms = options_.forms;
    impl->faults = options_.faults;

    bool loaded = !options_.stateFile.empty() && LoadStateFile(options_.stateFile, s.contents);
    if (!loaded) {
        if (options_.seeded) {
            SeedDemoContents(s);
        } else {
            SeedBuiltInCategories(s);
        }
        impl->saveLocked();
    }
    if (!options_.logFile.empty()) {
        impl->log.open(options_.logFile, std::ios::app);
        if (!impl->log) throw std::runtime_error("cannot write the transcript " + options_.logFile);
    }
    impl->line.setBaud(options_.baud);
    impl->line.open();
    portPath_ = impl->line.slavePath();
    if (!options_.linkPath.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(options_.linkPath, ec)))
            std::filesystem::remove(options_.linkPath, ec);
        std::filesystem::create_symlink(portPath_, options_.linkPath, ec);
        if (ec)
            throw std::runtime_error("cannot place the link " + options_.linkPath + ": " +
                                     ec.message());
        impl->linkMade = options_.linkPath;
    }
    if (::pipe(impl->wake) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    impl->transcript("!", "started " + s.model + " on " + portPath_);
    impl->running = true;
    Impl* raw = impl.get();
    impl->thread = std::thread([raw] { raw->run(); });
    impl_ = std::move(impl);
}

void PhoneSimulator::stop() {
    if (!impl_) return;
    impl_->stopping = true;
    if (impl_->wake[1] >= 0) {
        char b = 1;
        [[maybe_unused]] auto r = ::write(impl_->wake[1], &b, 1);
    }
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->line.close();
    for (int& fd : impl_->wake)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    if (!impl_->linkMade.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(impl_->linkMade, ec)) &&
            std::filesystem::read_symlink(impl_->linkMade, ec) == portPath_)
            std::filesystem::remove(impl_->linkMade, ec);
    }
    impl_->transcript("!", "stopped");
    impl_.reset();
}

bool PhoneSimulator::running() const {
    return impl_ && impl_->running;
}

void PhoneSimulator::withState(const std::function<void(PhoneState&)>& fn) {
    if (!impl_) throw std::runtime_error("the simulated phone is not started");
    std::lock_guard<std::mutex> lock(impl_->mu);
    fn(impl_->state);
    impl_->saveLocked();
}

void PhoneSimulator::setFaults(const FaultOptions& faults) {
    if (!impl_) {
        options_.faults = faults;
        return;
    }
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->faults = faults;
}

FaultOptions PhoneSimulator::faults() const {
    if (!impl_) return options_.faults;
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->faults;
}

uint64_t PhoneSimulator::commandsReceived() const {
    if (!impl_) return 0;
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->state.commandsReceived;
}

std::vector<std::string> PhoneSimulator::commandLog() const {
    if (!impl_) return {};
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->state.commandLog;
}

bool PhoneSimulator::hungUp() const {
    return impl_ && impl_->hungUp;
}

}  // namespace orlin::phonesim
