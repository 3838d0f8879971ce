#pragma once
// The services that may hold a port, asked over the system bus: on Linux ModemManager, through
// sd-bus; on Windows nothing (the function returns no inquiry).

#include <memory>

#include "link/port_holder.h"

namespace orlin::cli {

// `inhibit`: a device ModemManager holds is asked for (--inhibit-modemmanager) and handed back
// when the inquiry ends; otherwise the error names ModemManager and this option.
std::unique_ptr<PortHolderInquiry> SystemBusPortHolders(bool inhibit);

}  // namespace orlin::cli
