#include "link/port_holder.h"

#include <atomic>

namespace orlin {

namespace {
// Installed once at start-up, read by the probes' threads as well.
std::atomic<PortHolderInquiry*> installed{nullptr};
}  // namespace

void SetPortHolderInquiry(PortHolderInquiry* inquiry) {
    installed.store(inquiry);
}

PortHolderInquiry* CurrentPortHolderInquiry() {
    return installed.load();
}

}  // namespace orlin
