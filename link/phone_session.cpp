#include "link/phone_session.h"

#include "link/answers.h"
#include "link/transcript.h"

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

std::string PhoneSession::sendAndLearn(const std::string& command) {
    const std::string answer = port_->AtCommand(command);
    if (IsMotorolaCommand(command) && !IsPlainError(answer)) dialect_.extensionAnswered = true;
    return answer;
}

std::string PhoneSession::AtCommand(const std::string& command) {
    const std::string quoted = QuotedArgumentForm(command);
    if (dialect_.quotedArguments && !quoted.empty()) return sendAndLearn(quoted);
    std::string answer = sendAndLearn(command);
    if (!MayNeedMode(command) || !IsPlainError(answer)) return answer;

    // Once a Motorola command was taken the phone is in the right mode: a refusal after that
    // has its own reasons.
    const bool tryMode = !dialect_.modeSent && !dialect_.extensionAnswered;
    if (tryMode) {
        dialect_.modeSent = true;
        transcript::Note("the phone refused " + command + ": switching it to mode 2");
        port_->AtCommand(kModeCommand);
        port_->AwaitUnsolicited(kModeBanner, kModeBannerQuietMs);
        answer = sendAndLearn(command);
        if (!IsPlainError(answer)) return answer;
    }
    if (!quoted.empty() && !dialect_.quotedArguments) {
        transcript::Note("the phone refused " + command + ": trying it quoted");
        const std::string quotedAnswer = sendAndLearn(quoted);
        if (EndsInOk(quotedAnswer)) dialect_.quotedArguments = true;
        return quotedAnswer;
    }
    return answer;
}

}  // namespace orlin
