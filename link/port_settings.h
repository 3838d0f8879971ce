#pragma once
// The three port settings and their file, portcfg.ini (four lines, CR LF, Windows-1251).

#include <string>

namespace orlin {

struct PortSettings {
    std::string PortName;
    int PortBaudRate = 0;
    int PortTimeOut = 0;
};

inline constexpr const char* kPortSettingsFile = "portcfg.ini";
// The lowest time-out the port dialog offers, in ms; a stored time-out of 0 or less reads as it.
inline constexpr int kLowestTimeOut = 100;

// Reads the file by line and character position. Raises EInOutError ("File not found")
// when it cannot be opened and EConvertError on a bad number; fields read before a
// failure keep their new values.
void LoadPortSettings(PortSettings& settings, const std::string& path = kPortSettingsFile);

// Writes the four lines the dialog's Apply writes. Raises EInOutError on failure.
void SavePortSettings(const PortSettings& settings, const std::string& path = kPortSettingsFile);

}  // namespace orlin
