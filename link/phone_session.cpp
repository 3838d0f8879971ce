#include "link/phone_session.h"

namespace orlin {

PhoneSession::PhoneSession(const PortSettings& settings) : PhoneSession(settings, Options{}) {}

PhoneSession::PhoneSession(const PortSettings& settings, Options options)
    : port_(std::make_unique<TBlockSerial>()) {
    // If a step raises, port_ is destroyed on the way out and closes the port.
    port_->RaiseErrors = options.raiseErrors;
    port_->OpenPort(settings.PortName);
    // Without raising, a port that did not open keeps the open's error for the caller to
    // read (2: no such port), rather than the "not open" of configuring it.
    if (port_->IsOpen()) port_->ConfigureLine(settings.PortBaudRate, 8, 'N', 0, false, false);
    port_->AtTimeout = options.useSettingsTimeout ? settings.PortTimeOut : 1000;
}

PhoneSession::PhoneSession(std::unique_ptr<TBlockSerial> port) : port_(std::move(port)) {}

PhoneSession::~PhoneSession() = default;

}  // namespace orlin
