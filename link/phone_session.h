#pragma once
// PhoneSession: how every operation uses one port object, from creation to
// destruction: create, open, configure (8N1, no flow control), exchange, free.

#include <memory>
#include <string>

#include "block_serial.h"
#include "phone_dialect.h"
#include "port_settings.h"

namespace orlin {

class PhoneSession {
public:
    struct Options {
        bool raiseErrors = true;          // RaiseErrors of the port object
        bool useSettingsTimeout = false;  // AtTimeout = PortTimeOut, else 1000 ms
    };

    // With raising off, a port that cannot be opened is left closed and unconfigured:
    // port().LastError() is the open's error (2 when the port does not exist).
    explicit PhoneSession(const PortSettings& settings);
    PhoneSession(const PortSettings& settings, Options options);
    // Over a port object that is open already (a harness's line in memory), as it is set.
    explicit PhoneSession(std::unique_ptr<TBlockSerial> port);
    ~PhoneSession();  // closes the port, also when an exception passes
    PhoneSession(const PhoneSession&) = delete;
    PhoneSession& operator=(const PhoneSession&) = delete;

    TBlockSerial& port() { return *port_; }
    // One command in the form this phone takes (see phone_dialect.h): a plain ERROR to the
    // character set, a phonebook storage, the clock or a Motorola command,
    // before any Motorola command of the session was taken, is followed by AT+MODE=2 and the
    // command again; a character set or storage still refused is tried quoted. What worked is
    // used for the rest of the session. Any other answer comes back as it is. The terminal
    // sends through port().AtCommand, which never adds a command.
    std::string AtCommand(const std::string& command);
    const PhoneDialect& dialect() const { return dialect_; }

private:
    std::unique_ptr<TBlockSerial> port_;
    PhoneDialect dialect_;
    std::string sendAndLearn(const std::string& command);
};

}  // namespace orlin
