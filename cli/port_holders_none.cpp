// Windows: no system bus and no ModemManager; a busy port says only that it is busy.

#include "cli/port_holders.h"

namespace orlin::cli {

std::unique_ptr<PortHolderInquiry> SystemBusPortHolders(bool) {
    return nullptr;
}

}  // namespace orlin::cli
