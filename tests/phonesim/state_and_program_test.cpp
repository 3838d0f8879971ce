// The state file round trip and the program orlin-phonesim itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/phone_text.h"
#include "phonesim/state_file.h"
#include "tests/support/cli_run.h"
#include "tests/support/fault_runs.h"
#include "tests/support/raw_client.h"
#include "tests/support/sim_phone.h"
#include "tests/support/text.h"
#include "tests/support/working_folder.h"

namespace orlin::test {
namespace {

using namespace phonesim;

namespace fs = std::filesystem;

// The test's own folder, its files named by their full paths.
struct TempDir {
    std::string file(const std::string& name) const { return (folder.path() / name).string(); }
    WorkingFolder folder{"orlin_phonesim_"};
    const fs::path& path = folder.path();
};

std::string ReadFile(const std::string& path) {
    return FileBytes(path);
}

TEST(StateFile, TextRoundTripKeepsEveryField) {
    PhoneState s;
    SeedDemoContents(s);
    // Texts with the characters the format must escape, and every field set.
    PhonebookEntry odd;
    odd.number = "+7\\9";
    odd.name = "Tab\there\nand Ёё \\ end";
    odd.picture = "pic\t1";
    odd.aux6 = 1, odd.ids = 42, odd.aux8 = 3, odd.aux9 = 4, odd.category = 5, odd.icon = 6;
    odd.aux12 = 7, odd.aux13 = 8, odd.aux15 = 9, odd.aux16 = 10;
    s.contents.phonebook[999] = odd;
    s.contents.messages[40] = {MessageStorage::DM, MessageStatus::StoUnsent, "", "",
                               "line1\r\nline2"};
    s.contents.autoDeleteWeeks = 4;
    std::string text = FormatStateText(s.contents);
    EXPECT_EQ(ParseStateText(text), s.contents);
    // Readable: UTF-8 names, one record a line.
    EXPECT_NE(text.find("contact\t1\t+79111234567\t145\tИван Петров\t"), std::string::npos);
    EXPECT_NE(text.find("Tab\\there\\nand Ёё \\\\ end"), std::string::npos);
}

TEST(StateFile, MalformedLinesAreReportedWithTheirNumber) {
    try {
        ParseStateText("# comment\n\ncontact\t1\t+7911\tx\n");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
    EXPECT_THROW(
        ParseStateText("contact\t1\t+7911\t1x5\tIvan\t3\t0\t255\t0\t1\t0\t0\t255\t0\t\t0\t0\n"),
        std::runtime_error);
    EXPECT_THROW(ParseStateText("message\t1\tXM\tREC READ\t+7\t\thi\n"), std::runtime_error);
    EXPECT_THROW(ParseStateText("gadget\t1\n"), std::runtime_error);
}

TEST(StateFile, SimulatorSavesEveryChangeAndLoadsItBack) {
    TempDir dir;
    std::string state = dir.file("phone.txt");
    std::string name = EncodeUcs2("Пётр");
    {
        PhoneSimOptions o;
        o.stateFile = state;
        SimPort p(o);
        // A missing file is created with the starting contents.
        EXPECT_NE(ReadFile(state).find("Иван Петров"), std::string::npos);
        p.at("AT+CSCS=UCS2");
        p.at("AT+CPBS=AD");
        ASSERT_EQ(p.at("AT+MPBW=700,\"+7922\",145," + name + ",3,0,255,0,1,2,255,255,0"), kOk);
        // Saved at once, not only when the phone stops.
        EXPECT_NE(ReadFile(state).find("contact\t700\t+7922\t145\tПётр\t3\t"), std::string::npos);
        p.at("AT+MDBL=1");
        ASSERT_EQ(p.at("AT+MDBWE=0,0,0"), kOk);
        ASSERT_EQ(p.at("AT+CMGD=1"), kOk);
    }
    {
        PhoneSimOptions o;
        o.stateFile = state;
        o.seeded = false;  // the file, once it exists, is the phone
        SimPort p(o);
        p.at("AT+CSCS=UCS2");
        p.at("AT+CPBS=MT");
        EXPECT_EQ(p.line("AT+MPBR=700"),
                  "+MPBR: 700,\"+7922\",145," + name + ",3,0,255,0,1,2,255,255,0");
        EXPECT_EQ(p.at("AT+MDBR=0"), kOk);
        p.sim().withState([](PhoneState& s) {
            EXPECT_EQ(s.contents.messages.count(1), 0u);
            EXPECT_EQ(s.contents.messages.size(), 10u);
        });
    }
    EXPECT_FALSE(fs::exists(state + ".tmp"));
}

TEST(StateFile, PhoneGoesOnWhenTheFileCannotBeWritten) {
    TempDir dir;
    std::string state = dir.file("phone.txt");
    PhoneSimOptions o;
    o.stateFile = state;
    SimPort p(o);
    fs::remove(state);
    fs::create_directory(state);  // a directory where the file was: saving fails
    EXPECT_EQ(p.at("AT+MDBAD=4"), kOk);
    EXPECT_EQ(p.line("AT+MDBAD?"), "+MDBAD: 4");
    EXPECT_TRUE(p.sim().running());
}

TEST(StateFile, ASaveThatFailsHalfWayLeavesTheOldFile) {
    TempDir dir;
    const std::string state = dir.file("phone.txt");
    PhoneContents contents;
    contents.autoDeleteWeeks = 2;
    SaveStateFile(state, contents);
    const std::string old = ReadFile(state);
    PhoneState demo;
    SeedDemoContents(demo);
    try {
        FileSizeLimit diskFullAt(1024);
        SaveStateFile(state, demo.contents);
        ADD_FAILURE() << "a write past the limit reported success";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "cannot write " + state + ": Файл слишком велик");
    }
    EXPECT_EQ(ReadFile(state), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 1) << "a temporary file is left";
}

TEST(StateFile, BrokenFileStopsTheStart) {
    TempDir dir;
    std::string state = dir.file("phone.txt");
    std::ofstream(state) << "contact\tnot a slot\n";
    PhoneSimOptions o;
    o.stateFile = state;
    PhoneSimulator sim(o);
    EXPECT_THROW(sim.start(), std::runtime_error);
    EXPECT_EQ(ReadFile(state), "contact\tnot a slot\n");  // left as it was
}

// Starts the program, reads its PORT line, and stops it with SIGTERM.
class Program {
public:
    explicit Program(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            close(out[0]);
            std::vector<char*> argv{const_cast<char*>(ORLIN_PHONESIM_PROGRAM)};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        stdout_ = fdopen(out[0], "r");
    }
    ~Program() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_) fclose(stdout_);
    }
    std::string readLine() {
        char buf[512];
        if (!fgets(buf, sizeof buf, stdout_)) return {};
        std::string s = buf;
        if (!s.empty() && s.back() == '\n') s.pop_back();
        return s;
    }
    int terminate() {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* stdout_ = nullptr;
};

TEST(Program, PrintsThePortPlacesTheLinkAndStopsOnSigterm) {
    TempDir dir;
    std::string link = dir.file("ttyPHONE");
    Program program({"--model", "C350", "--link", link});
    std::string portLine = program.readLine();
    ASSERT_EQ(portLine.substr(0, 5), "PORT ") << portLine;
    EXPECT_EQ(fs::read_symlink(link).string(), portLine.substr(5));
    for (int client = 0; client < 2; ++client) {
        TBlockSerial port;
        port.RaiseErrors = true;
        port.OpenPort(link);
        port.ConfigureLine(19200, 8, 'N', 0, false, false);
        EXPECT_NE(port.AtCommand("AT+CGMM").find("\"MODEL=C350\""), std::string::npos);
    }
    EXPECT_EQ(program.terminate(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(Program, HangUpFaultEndsTheProgram) {
    Program program({"--hang-up-after", "1", "--empty"});
    std::string portLine = program.readLine();
    ASSERT_EQ(portLine.substr(0, 5), "PORT ");
    RawClient c(portLine.substr(5));
    c.send("AT\r");
    EXPECT_EQ(c.readUntil(kOk), "AT\r" + kOk);
    EXPECT_EQ(program.readLine(), "HANGUP");
}

TEST(Program, LayoutEchoAndFaultOptionsReachThePhone) {
    TempDir dir;
    Program program({"--no-echo", "--empty", "--model", "V300", "--me", "2-500", "--no-sim",
                     "--datebook-last", "9", "--error", "at+csq", "--cut", "AT+CCLK?:9",
                     "--unsolicited-before", "AT+CGMI", "--log", dir.file("dialogue.log"),
                     "--state", dir.file("phone.txt")});
    std::string portLine = program.readLine();
    ASSERT_EQ(portLine.substr(0, 5), "PORT ") << portLine;
    RawClient c(portLine.substr(5));
    c.send("AT +CPBS=ME\r");
    EXPECT_EQ(c.readUntil(kOk), kOk);  // no echo
    c.send("AT+MPBR=?\r");
    EXPECT_EQ(c.readUntil(kOk).substr(0, 15), "\r\n+MPBR: 2-500,");
    c.send("AT +CPBS=SM\r");
    c.readUntil(kOk);
    c.send("AT+MPBR=?\r");
    EXPECT_EQ(c.readUntil("ERROR\r\n"), "\r\nERROR\r\n");
    c.send("AT+MDBR=?\r");
    EXPECT_EQ(c.readUntil(kOk), "\r\n+MDBR: 9,0,64,8,2\r\n" + kOk);
    c.send("AT+CSQ\r");
    EXPECT_EQ(c.readUntil("ERROR\r\n"), "\r\nERROR\r\n");
    c.send("AT+CCLK?\r");
    EXPECT_EQ(c.readQuiet(300), "\r\n+CCLK: ");
    c.send("AT+CGMI\r");
    EXPECT_EQ(c.readUntil(kOk),
              "\r\n+CMTI: \"IM\",5\r\n\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n" + kOk);
    c.send("AT+CGMM\r");
    EXPECT_NE(c.readUntil(kOk).find("\"MODEL=V300\""), std::string::npos);
    EXPECT_EQ(program.terminate(), 0);
    EXPECT_NE(ReadFile(dir.file("dialogue.log")).find("< AT+CGMM\\r"), std::string::npos);
    EXPECT_NE(ReadFile(dir.file("phone.txt")).find("category\t1\t"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.file("phone.txt")).find("contact\t"), std::string::npos);  // --empty
}

TEST(Program, NumericErrorsErrorLinesAndThinkTime) {
    Program program({"--numeric-errors", "--error", "AT+CGMR:cme=10", "--error", "AT+CSQ:cms=500",
                     "--latency", "150", "--no-echo"});
    std::string portLine = program.readLine();
    ASSERT_EQ(portLine.substr(0, 5), "PORT ") << portLine;
    RawClient c(portLine.substr(5));
    // The last --error wins; a phone with numeric errors refuses with +CME ERROR.
    c.send("AT+CSQ\r");
    EXPECT_EQ(c.readUntil("500\r\n"), "\r\n+CMS ERROR: 500\r\n");
    c.send("AT+MPBR\r");
    EXPECT_EQ(c.readUntil("50\r\n"), "\r\n+CME ERROR: 50\r\n");
    // Nothing comes before the think time is over.
    c.send("AT\r");
    EXPECT_EQ(c.readQuiet(100), "");
    EXPECT_EQ(c.readUntil(kOk), kOk);
    EXPECT_EQ(program.terminate(), 0);
}

TEST(Program, BadOptionsAreRefusedWithAReason) {
    const WorkingFolder folder("orlin_phonesim_options_");
    for (std::vector<std::string> args : {std::vector<std::string>{"--bogus"},
                                          {"--me", "500"},
                                          {"--baud", "fast"},
                                          {"--me", "0-10"},
                                          {"--link"}}) {
        std::string command = std::string(ORLIN_PHONESIM_PROGRAM);
        for (const auto& a : args) command += " " + a;
        const CliRun run = RunInFolder(folder.path(), command);
        const std::string out = run.out + run.err;
        EXPECT_EQ(run.status, 2) << command << ": " << out;
        EXPECT_EQ(run.err.rfind("orlin-phonesim: ", 0), 0u) << out;
        EXPECT_EQ(out.find("PORT "), std::string::npos) << out;
    }
}

}  // namespace
}  // namespace orlin::test
