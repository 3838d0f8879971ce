#pragma once
// USB serial adapters that the system sees but that got no serial port: brltty (the service
// for braille displays) claims many CH340, CP210x and FTDI cables for itself and the port never
// appears; a missing driver does the same. Read from sysfs and the process list; nothing is
// opened. Linux only: elsewhere the list is empty. Texts are UTF-8.

#include <string>
#include <vector>

namespace orlin {

// Names a folder that stands for the system's root when sysfs and the process list are read
// (<root>/sys, <root>/proc): a test lays out the adapters it wants there.
inline constexpr const char* kSystemRootVariable = "ORLIN_SYSTEM_ROOT";

struct AdapterNotice {
    std::string adapter;  // "USB 1-1.2 (1a86:7523 USB Serial)"
    std::string text;     // why it has no port, and what to do
};

// The USB serial adapters under root ("" for the real system) that have no tty, each with the
// reason: brltty holds it (brltty runs, or a program holds the adapter through usbfs), or no
// driver took it.
std::vector<AdapterNotice> AdapterNotices(const std::string& root);

// AdapterNotices of the root the variable names, else of the real system; none when the
// device-pattern variable names a test's devices and no root is named.
std::vector<AdapterNotice> CurrentAdapterNotices();

}  // namespace orlin
