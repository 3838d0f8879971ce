#include "link/usb_adapters.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "link/language.h"
#include "link/port_probe.h"

namespace orlin {

#ifdef __linux__

namespace fs = std::filesystem;

namespace {

// Serial adapters by vendor and product id, with the driver that makes their port.
struct KnownAdapter {
    const char* vendor;
    const char* product;  // "" for every product of the vendor
    const char* name;
    const char* driver;
};
constexpr KnownAdapter kKnownAdapters[] = {
    {"1a86", "7523", "CH340", "ch341"},     {"1a86", "5523", "CH341", "ch341"},
    {"1a86", "7522", "CH340K", "ch341"},    {"10c4", "ea60", "CP210x", "cp210x"},
    {"10c4", "ea70", "CP2105", "cp210x"},   {"10c4", "ea71", "CP2108", "cp210x"},
    {"0403", "6001", "FT232R", "ftdi_sio"}, {"0403", "6010", "FT2232", "ftdi_sio"},
    {"0403", "6011", "FT4232", "ftdi_sio"}, {"0403", "6014", "FT232H", "ftdi_sio"},
    {"0403", "6015", "FT-X", "ftdi_sio"},   {"067b", "2303", "PL2303", "pl2303"},
    {"067b", "23a3", "PL2303GC", "pl2303"},
};

// The drivers that give an interface a serial port.
constexpr const char* kSerialDrivers[] = {"ch341",  "cp210x",           "ftdi_sio",
                                          "pl2303", "cdc_acm",          "usbserial_generic",
                                          "option", "usb_serial_simple"};

std::string FirstLine(const fs::path& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

std::string DriverOf(const fs::path& interface) {
    std::error_code error;
    const fs::path target = fs::read_symlink(interface / "driver", error);
    return error ? std::string() : target.filename().string();
}

// A tty below the interface: usb-serial makes ttyUSBn there, cdc_acm tty/ttyACMn.
bool HasTty(const fs::path& interface) {
    std::error_code error;
    if (fs::is_directory(interface / "tty", error)) return true;
    for (fs::directory_iterator it(interface, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().string().rfind("tty", 0) == 0) return true;
    }
    return false;
}

bool BrlttyRuns(const fs::path& proc) {
    std::error_code error;
    for (fs::directory_iterator it(proc, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit)) continue;
        if (FirstLine(it->path() / "comm") == "brltty") return true;
    }
    return false;
}

}  // namespace

std::vector<AdapterNotice> AdapterNotices(const std::string& root) {
    std::vector<AdapterNotice> notices;
    const fs::path base = root.empty() ? fs::path("/") : fs::path(root);
    const fs::path devices = base / "sys/bus/usb/devices";
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(devices, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        // Devices only: interfaces have a colon in their name, root hubs start with "usb".
        if (name.find(':') == std::string::npos && name.rfind("usb", 0) != 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    int brltty = -1;  // looked at once, when first needed
    for (const std::string& name : names) {
        const fs::path device = devices / name;
        const std::string vendor = FirstLine(device / "idVendor");
        const std::string product = FirstLine(device / "idProduct");
        const KnownAdapter* known = nullptr;
        for (const KnownAdapter& adapter : kKnownAdapters) {
            if (vendor == adapter.vendor && product == adapter.product) known = &adapter;
        }
        bool serialDriver = false, tty = false, usbfs = false;
        std::error_code inner;
        for (fs::directory_iterator it(device, inner), end; !inner && it != end;
             it.increment(inner)) {
            const std::string entry = it->path().filename().string();
            if (entry.rfind(name + ":", 0) != 0) continue;  // not one of its interfaces
            const std::string driver = DriverOf(it->path());
            serialDriver =
                serialDriver || std::find(std::begin(kSerialDrivers), std::end(kSerialDrivers),
                                          driver) != std::end(kSerialDrivers);
            usbfs = usbfs || driver == "usbfs";
            tty = tty || HasTty(it->path());
        }
        if ((!known && !serialDriver) || tty) continue;
        std::string label = FirstLine(device / "product");
        if (label.empty() && known) label = known->name;
        AdapterNotice notice;
        notice.adapter = "USB " + name + " (" + vendor + ":" + product +
                         (label.empty() ? "" : " " + label) + ")";
        if (brltty < 0) brltty = BrlttyRuns(base / "proc") ? 1 : 0;
        if (brltty == 1 || usbfs) {
            notice.text = Tr(
                "UsbAdapters",
                "порт не создан: адаптер занял brltty (служба брайлевских дисплеев). Если "
                "брайлевский дисплей не нужен, удалите его (sudo apt remove brltty) или "
                "отключите его правило (sudo systemctl mask brltty-udev.service) и переподключите "
                "кабель");
        } else {
            notice.text = Tr("UsbAdapters", "порт не создан: драйвер адаптера не загружен") +
                          (known ? std::string(" (sudo modprobe ") + known->driver + ")" : "");
        }
        notices.push_back(notice);
    }
    return notices;
}

std::vector<AdapterNotice> CurrentAdapterNotices() {
    const char* root = std::getenv(kSystemRootVariable);
    if (root) return AdapterNotices(root);
    if (std::getenv(kPortPatternsVariable)) return {};
    return AdapterNotices("");
}

#else

std::vector<AdapterNotice> AdapterNotices(const std::string&) {
    return {};
}

std::vector<AdapterNotice> CurrentAdapterNotices() {
    return {};
}

#endif

}  // namespace orlin
