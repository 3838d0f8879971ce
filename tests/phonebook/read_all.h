#pragma once
// What the phonebook tests share: a simulated phone on a pseudo-terminal with the port
// settings that reach it, and an interaction that records what the operation asked.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "link/cp1251.h"
#include "link/interaction.h"
#include "link/phone_session.h"
#include "link/port_settings.h"
#include "phonebook/phonebook_read.h"
#include "phonesim/phone_simulator.h"

namespace orlin::test {

inline std::string W(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

inline phonesim::PhoneSimOptions PhoneOptions(const std::string& model, bool seeded = true) {
    phonesim::PhoneSimOptions options;
    options.model = model;
    options.seeded = seeded;
    return options;
}

class SimPhone {
public:
    explicit SimPhone(phonesim::PhoneSimOptions options) : phone_(std::move(options)) {
        phone_.start();
        settings.PortName = phone_.portPath();
        settings.PortBaudRate = 115200;
        settings.PortTimeOut = 1000;
    }
    explicit SimPhone(const std::string& model, bool seeded = true)
        : SimPhone(PhoneOptions(model, seeded)) {}

    phonesim::PhoneSimulator& sim() { return phone_; }

    phonesim::PhoneState state() {
        phonesim::PhoneState copy;
        phone_.withState([&](phonesim::PhoneState& s) { copy = s; });
        return copy;
    }
    std::map<int, phonesim::PhonebookEntry> phonebook() { return state().contents.phonebook; }
    void edit(const std::function<void(phonesim::PhoneState&)>& fn) { phone_.withState(fn); }

    // Commands received from now on (mark() then since()).
    void mark() { mark_ = phone_.commandLog().size(); }
    std::vector<std::string> since() const {
        const auto log = phone_.commandLog();
        return std::vector<std::string>(
            log.begin() + static_cast<long>(std::min(mark_, log.size())), log.end());
    }
    // The commands received since mark() that begin with `prefix`.
    std::vector<std::string> sinceStarting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& line : since())
            if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
        return out;
    }

    PortSettings settings;

private:
    phonesim::PhoneSimulator phone_;
    size_t mark_ = 0;
};

// Answers questions from a list (then `defaultAnswer`), and can press Stop after a number
// of processEvents calls.
class RecordingInteraction : public Interaction {
public:
    void processEvents() override {
        ++events;
        if (stopAfterEvents > 0 && events == stopAfterEvents) running = false;
    }
    void progress(int pos, int max) override {
        lastPos = pos;
        lastMax = max;
        ++progressCalls;
    }
    bool confirm(const std::string& text) override {
        questions.push_back(text);
        bool answer = defaultAnswer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.erase(answers.begin());
        }
        if (!answer && resetOnNo) running = true;
        return answer;
    }
    void inform(const std::string& text) override { notes.push_back(text); }
    bool keepRunning() override { return running; }

    int events = 0;
    int stopAfterEvents = 0;
    bool running = true;
    bool resetOnNo = true;
    bool defaultAnswer = false;
    std::vector<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> notes;
    int lastPos = -1;
    int lastMax = -1;
    int progressCalls = 0;
};

// Reads the whole phonebook of the simulated phone through the real serial layer.
inline PhonebookState ReadAll(SimPhone& phone) {
    PhonebookState state;
    RecordingInteraction interaction;
    PhoneSession session(phone.settings);
    EXPECT_EQ(ReadPhonebook(session, state, interaction).status, ReadStatus::Done);
    return state;
}

}  // namespace orlin::test
