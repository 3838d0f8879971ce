#pragma once
// Message boxes answered and recorded instead of shown, for as long as the recorder lives.
//
//   MessageBoxRecorder boxes;           // a member of the fixture
//   ... click something ...
//   ASSERT_EQ(boxes.boxes.size(), 1u);
//   EXPECT_EQ(boxes.boxes[0].kind, MessageBoxes::Kind::Error);

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "ui/message_boxes.h"

namespace orlin::test {

class MessageBoxRecorder {
public:
    MessageBoxRecorder();   // takes over the message-box seam
    ~MessageBoxRecorder();  // gives it back: boxes are shown again
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // The texts of the boxes recorded, in order.
    QStringList texts() const;

    // The boxes shown so far, in order.
    std::vector<MessageBoxes::Request> boxes;
    // The answers to give, in order; once they are used up a question is answered Yes and
    // any other box Ok.
    std::deque<MessageBoxes::Answer> answers;
    // Called with each box before it is answered (while it would be on the screen).
    std::function<void(const MessageBoxes::Request&)> onBox;
};

}  // namespace orlin::test
