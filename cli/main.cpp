// orlin-cli: shared options, settings, the verb table and the exit status.
//
//   orlin-cli [--port NAME] [--baud N] [--timeout MS] [--yes] [--progress] [--lang ru|en]
//             VERB [WORDS...]
//
// Exit status: 0 when the verb did its work, 1 on a failure (its message on standard
// error), 2 when the command line is wrong.

#include <sys/stat.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif
#ifdef _WIN32
#include <shellapi.h>  // needs windows.h before it
#endif

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/json_output.h"
#include "cli/port_holders.h"
#include "cli/progress.h"
#include "cli/verb.h"
#include "link/data_folder.h"
#include "link/errors.h"
#include "link/language.h"
#include "link/port_settings.h"
#include "link/text_utils.h"
#include "link/transcript.h"
#include "link/whole_file.h"

namespace orlin::cli {

namespace {

std::vector<Verb>& VerbTable() {
    static std::vector<Verb> verbs;  // filled by static registrations before main runs
    return verbs;
}

constexpr int kDefaultBaudRate = 19200;
constexpr int kDefaultTimeOut = 3000;

const char* const kOptionsHelp =
    "Options (before or after the verb):\n"
    "  --port NAME    the port of the phone: COM3, /dev/ttyUSB0, a pseudo-terminal path\n"
    "  --baud N       the line speed (default 19200)\n"
    "  --timeout MS   how long to wait for the phone's next answer, in milliseconds; every\n"
    "                 verb honours it. Without it: 1000 for at, info, clock, phonebook list\n"
    "                 and save and the first step of phonebook load; portcfg.ini's TimeOut\n"
    "                 (3000 without the file) for the writing of phonebook load and for the\n"
    "                 datebook and sms verbs\n"
    "  --yes          go on where the window would ask a question\n"
    "  --log FILE     write a transcript of the dialogue with the phone to FILE (for a bug\n"
    "                 report; it holds what was read: contacts, events, messages)\n"
    "  --inhibit-modemmanager\n"
    "                 when ModemManager holds the port, ask it to let go of the phone for\n"
    "                 as long as orlin-cli runs (it may ask for a password)\n"
    "  --verbose      say which folder the settings and message archives come from\n"
    "  --progress     progress lines on standard error also when it is no terminal (on a\n"
    "                 terminal one line shows it always; elsewhere nothing without this)\n"
    "  --lang ru|en   the language of the messages; without it ORLIN_LANG, else the locale\n"
    "                 (LANGUAGE, LC_ALL, LC_MESSAGES, LANG: Russian for ru, uk and be,\n"
    "                 English otherwise)\n"
    "  --help         this text\n"
    "  --version      the program's version\n"
    "\n"
    "Settings come from portcfg.ini in the current directory when it exists; each option\n"
    "overrides its value. Without it and without --port, they come from the window's\n"
    "folder ($XDG_DATA_HOME/orlin or ~/.local/share/orlin) when that holds portcfg.ini, and\n"
    "the message archives are kept there too. Otherwise --port is required.\n"
    "\n"
    "Exit status: 0 done, 1 failure (message on standard error), 2 wrong command line.\n";

void PrintUsage(std::ostream& out) {
    out << "Usage: orlin-cli [options] VERB [WORDS...]\n\nVerbs:\n";
    for (const Verb& verb : RegisteredVerbs()) out << "  " << verb.usage << "\n";
}

void PrintHelp() {
    PrintUsage(std::cout);
    std::cout << "\n";
    for (const Verb& verb : RegisteredVerbs()) {
        std::cout << verb.usage << "\n";
        std::string help = verb.help;
        size_t start = 0;
        while (start < help.size()) {
            size_t end = help.find('\n', start);
            if (end == std::string::npos) end = help.size();
            std::cout << "    " << help.substr(start, end - start) << "\n";
            start = end + 1;
        }
        std::cout << "\n";
    }
    std::cout << kJsonHelp << "\n" << kOptionsHelp;
}

// A number given on the command line; a usage error when it is none.
int OptionNumber(const std::string& option, const std::string& text, int minimum) {
    int value = 0;
    try {
        value = StrToInt(text);
    } catch (const EConvertError&) {
        throw UsageError(option + " needs a whole number, not '" + text + "'");
    }
    if (value < minimum) throw UsageError(option + " must be at least " + std::to_string(minimum));
    return value;
}

bool FileExists(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0;
}

// The window's data folder holds a portcfg.ini.
bool UsesUserDataFolder() {
    const std::string folder = UserDataFolder();
    return !folder.empty() && FileExists((folder + "/" + kPortSettingsFile).c_str());
}

// Installs an inquiry for the length of a scope.
class InstalledPortHolders {
public:
    explicit InstalledPortHolders(PortHolderInquiry* inquiry) { SetPortHolderInquiry(inquiry); }
    ~InstalledPortHolders() { SetPortHolderInquiry(nullptr); }
    InstalledPortHolders(const InstalledPortHolders&) = delete;
    InstalledPortHolders& operator=(const InstalledPortHolders&) = delete;
};

struct CommandLine {
    bool help = false;
    bool version = false;
    bool yes = false;
    bool inhibitModemManager = false;
    bool verbose = false;
    bool progress = false;
    std::optional<Language> language;  // --lang
    std::string port, baud, timeout, log;
    bool portGiven = false, baudGiven = false, timeoutGiven = false, logGiven = false;
    std::vector<std::string> words;  // the verb and its words
};

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            line.words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        const size_t equals = word.find('=');
        if (equals != std::string::npos) {
            value = word.substr(equals + 1);
            word.erase(equals);
            hasValue = true;
        }
        if (word == "--help" || word == "--yes" || word == "--version") {
            if (hasValue) throw UsageError(word + " takes no value");
            (word == "--help" ? line.help : word == "--yes" ? line.yes : line.version) = true;
            continue;
        }
        if (word == "--inhibit-modemmanager" || word == "--verbose") {
            if (hasValue) throw UsageError(word + " takes no value");
            (word == "--verbose" ? line.verbose : line.inhibitModemManager) = true;
            continue;
        }
        if (word == "--progress") {
            if (hasValue) throw UsageError(word + " takes no value");
            line.progress = true;
            continue;
        }
        if (word == "--lang") {
            if (!hasValue) {
                if (i + 1 >= argc) throw UsageError(word + " needs a value");
                value = argv[++i];
            }
            line.language = ParseLanguage(value);
            if (!line.language) throw UsageError("--lang wants ru or en, not '" + value + "'");
            continue;
        }
        std::string* target = nullptr;
        bool* given = nullptr;
        if (word == "--port") target = &line.port, given = &line.portGiven;
        if (word == "--baud") target = &line.baud, given = &line.baudGiven;
        if (word == "--timeout") target = &line.timeout, given = &line.timeoutGiven;
        if (word == "--log") target = &line.log, given = &line.logGiven;
        // After the verb, an option the shared ones do not know is the verb's own
        // ("clock --sync"): it goes to the verb, which rejects what it does not know.
        if (!target && !line.words.empty()) {
            line.words.push_back(argv[i]);
            continue;
        }
        if (!target) throw UsageError("unknown option " + word);
        if (!hasValue) {
            if (i + 1 >= argc) throw UsageError(word + " needs a value");
            value = argv[++i];
        }
        *target = value;
        *given = true;
    }
    return line;
}

// With --log: records the dialogue from the start of the verb and writes it to the file when
// the verb is done, whatever its outcome.
class TranscriptFile {
public:
    explicit TranscriptFile(std::string path) : path_(std::move(path)) {
        if (!path_.empty()) transcript::Start(std::string("orlin-cli ") + ORLIN_VERSION);
    }
    ~TranscriptFile() {
        if (path_.empty()) return;
        try {
            transcript::WriteTo(path_);
        } catch (const OrlinError& error) {
            std::cerr << "orlin-cli: cannot write the transcript " << path_ << ": " << error.what()
                      << "\n";
        }
        transcript::Stop();
    }
    TranscriptFile(const TranscriptFile&) = delete;
    TranscriptFile& operator=(const TranscriptFile&) = delete;

private:
    std::string path_;
};

const Verb& FindVerb(const std::string& name) {
    for (const Verb& verb : RegisteredVerbs()) {
        if (name == verb.name) return verb;
    }
    throw UsageError("unknown verb '" + name + "'");
}

// Options override portcfg.ini; without the file, --port is required. With all three options
// given the file is not needed and not read, so a broken one does not matter then.
PortSettings ResolveSettings(const CommandLine& line) {
    PortSettings settings;
    const bool everythingGiven = line.portGiven && line.baudGiven && line.timeoutGiven;
    bool haveFile = !everythingGiven && FileExists(kPortSettingsFile);
    // Without a file here and without --port: the window's own, where its launcher keeps it.
    if (!haveFile && !line.portGiven && UsesUserDataFolder()) {
        SetWorkFolder(UserDataFolder());
        haveFile = true;
    }
    const std::string file = WorkFilePath(kPortSettingsFile);
    if (haveFile) {
        try {
            LoadPortSettings(settings, file);
        } catch (const OrlinError& error) {
            throw OrlinError(file + ": " + error.what());
        }
    } else {
        settings.PortBaudRate = kDefaultBaudRate;
        settings.PortTimeOut = kDefaultTimeOut;
    }
    if (line.portGiven) settings.PortName = line.port;
    if (line.baudGiven) settings.PortBaudRate = OptionNumber("--baud", line.baud, 1);
    if (line.timeoutGiven) settings.PortTimeOut = OptionNumber("--timeout", line.timeout, 1);
    if (!haveFile && !line.portGiven)
        throw UsageError("no portcfg.ini here nor in the window's folder: give --port NAME");
    return settings;
}

int Run(int argc, char** argv) {
    CommandLine line;
    const Verb* verb = nullptr;
    // The locale's language first, so that even a wrong command line is answered in it.
    SetCurrentLanguage(ChooseLanguage(std::nullopt, ProcessEnvironment));
    try {
        line = ParseCommandLine(argc, argv);
        SetCurrentLanguage(ChooseLanguage(line.language, ProcessEnvironment));
        if (line.help) {
            PrintHelp();
            return 0;
        }
        if (line.version) {
            // The version the build writes into the program's version record.
            std::cout << "orlin-cli " << ORLIN_VERSION << "\n";
            return 0;
        }
        if (line.words.empty()) throw UsageError("no verb given");
        verb = &FindVerb(line.words.front());
        // Numbers of the options are checked before anything touches the port.
        if (line.baudGiven) OptionNumber("--baud", line.baud, 1);
        if (line.timeoutGiven) OptionNumber("--timeout", line.timeout, 1);
    } catch (const UsageError& error) {
        std::cerr << "orlin-cli: " << error.what() << "\n";
        PrintUsage(std::cerr);
        std::cerr << "Try orlin-cli --help.\n";
        return 2;
    }

    TranscriptFile transcriptFile(line.logGiven ? line.log : std::string());
    try {
        Invocation invocation;
        // Who holds a busy port (ModemManager on Linux), and asking it to let go; kept until
        // the program ends, when a device it inhibited is handed back.
        const std::unique_ptr<PortHolderInquiry> holders =
            SystemBusPortHolders(line.inhibitModemManager);
        const InstalledPortHolders installed(holders.get());
        if (!verb->offline) invocation.settings = ResolveSettings(line);
        if (line.verbose) {
            std::error_code ignored;
            const std::string folder = WorkFolder().empty()
                                           ? Utf8FromPath(std::filesystem::current_path(ignored))
                                           : WorkFolder();
            std::cerr << "orlin-cli: settings and message archives in " << folder << "\n";
        }
        // A verb that needs no port still takes the line speed and time-out given.
        if (verb->offline && line.baudGiven)
            invocation.settings.PortBaudRate = OptionNumber("--baud", line.baud, 1);
        if (verb->offline && line.timeoutGiven)
            invocation.settings.PortTimeOut = OptionNumber("--timeout", line.timeout, 1);
        invocation.timeoutGiven = line.timeoutGiven;
        invocation.yes = line.yes;
        ProgressPrinter::forced() = line.progress;
        invocation.args.assign(line.words.begin() + 1, line.words.end());
        const int status = verb->run(invocation);
        std::cout.flush();
        return status;
    } catch (const UsageError& error) {
        std::cout.flush();
        std::cerr << "orlin-cli: " << error.what() << "\n"
                  << "Usage: orlin-cli [options] " << verb->usage << "\n";
        return 2;
    } catch (const EFileError& error) {
        std::cout.flush();
        std::cerr << error.path() << ": " << error.what() << "\n";
        return 1;
    } catch (const OrlinError& error) {
        std::cout.flush();
        std::cerr << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "orlin-cli: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace

VerbRegistration::VerbRegistration(const Verb& verb) {
    VerbTable().push_back(verb);
}

const std::vector<Verb>& RegisteredVerbs() {
    return VerbTable();
}

}  // namespace orlin::cli

#ifdef _WIN32
namespace {

// The words as they were typed, in UTF-8 as on every other system: the C library's argv holds
// them in the ANSI code page, which has no room for most letters of a message or a file name.
std::vector<std::string> Utf8Words(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> words;
    // A path converts the wide text to UTF-8 as file names are converted.
    for (int i = 0; i < count; ++i) words.push_back(orlin::Utf8FromPath(wide[i]));
    LocalFree(wide);
    return words;
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes as on Linux: UTF-8 with LF line ends, and an AT answer exactly as the
    // phone sent it (a text-mode stream would turn its CR LF into CR CR LF). The console shows
    // UTF-8 once told so.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> words = Utf8Words(argc, argv);
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return orlin::cli::Run(static_cast<int>(words.size()), pointers.data());
#else
    return orlin::cli::Run(argc, argv);
#endif
}
