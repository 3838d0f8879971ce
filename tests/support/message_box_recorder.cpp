#include "tests/support/message_box_recorder.h"

namespace orlin::test {

MessageBoxRecorder::MessageBoxRecorder() {
    MessageBoxes::setResponder([this](const MessageBoxes::Request& request) {
        boxes.push_back(request);
        if (onBox) onBox(request);
        if (!answers.empty()) {
            const MessageBoxes::Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.yesNo ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::Ok;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    MessageBoxes::setResponder({});
}

QStringList MessageBoxRecorder::texts() const {
    QStringList out;
    for (const auto& box : boxes) out << box.text;
    return out;
}

}  // namespace orlin::test
