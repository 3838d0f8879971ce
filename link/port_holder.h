#pragma once
// Who else holds a serial device, and asking it to let go. A front end that can ask the
// system (orlin-cli and the window on Linux, over the system bus) installs an inquiry; without
// one nothing is asked, and a busy port reports the system's plain "busy" text. Texts are
// UTF-8.

#include <optional>
#include <string>

namespace orlin {

struct PortHolder {
    std::string device;   // the device as it was opened
    std::string service;  // the service that manages the device ("ModemManager")
    std::string id;       // the device's id for that service
    std::string text;     // the error's text: who holds the port, and the remedy
};

class PortHolderInquiry {
public:
    virtual ~PortHolderInquiry() = default;
    // The service that manages `device` (a path, as the port object opens it), if any. Called
    // from any thread; never raises (a system that cannot be asked holds nothing).
    virtual std::optional<PortHolder> Holder(const std::string& device) = 0;
    // Called on the operation's own thread when an open found `device` busy and `holder`
    // managing it: true when the holder was asked to let go and agreed, so that the open is
    // tried again; false to fail with holder.text (which the call may reword, to say why the
    // holder refused).
    virtual bool Release(PortHolder& holder) = 0;
};

// The inquiry every open of a busy port consults (nullptr: none). The caller keeps it alive
// while it is installed.
void SetPortHolderInquiry(PortHolderInquiry* inquiry);
PortHolderInquiry* CurrentPortHolderInquiry();

}  // namespace orlin
