#pragma once
// What a long phone operation asks of whoever started it: the window pumps its
// messages and asks the user; the command line answers by its options.

#include <string>

namespace orlin {

class Interaction {
public:
    virtual ~Interaction() = default;
    // Lets the caller repaint and react to its buttons between two commands.
    virtual void processEvents() {}
    // Progress of a loop: pos of max steps.
    virtual void progress(int /*pos*/, int /*max*/) {}
    // A yes/no question; true means yes.
    virtual bool confirm(const std::string& /*text*/) { return false; }
    // A note to the user (information box in the window, a line on stderr on the command line).
    virtual void inform(const std::string& /*text*/) {}
    // False once the user asked to stop (the Stop button).
    virtual bool keepRunning() { return true; }
};

}  // namespace orlin
