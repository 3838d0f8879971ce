#pragma once
// An Interaction for the tests of long operations: it answers the questions from a list
// (then `defaultAnswer`), records the questions, notes and progress, and can press Stop
// after a number of processEvents calls.

#include <string>
#include <vector>

#include "link/interaction.h"

namespace orlin::test {

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
    int stopAfterEvents = 0;  // 0: never press Stop
    bool running = true;
    bool resetOnNo = true;  // a "no" answer clears Stop
    bool defaultAnswer = false;
    std::vector<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> notes;
    int lastPos = -1;
    int lastMax = -1;
    int progressCalls = 0;
};

}  // namespace orlin::test
