// The bus-change notification: while registered, every change of the bus's node list runs
// onNodeListChanged on a driver thread.
#pragma once

namespace lvc {

// Registers onNodeListChanged with the driver; a failure is logged and leaves it
// unregistered. A registration kept from a failed unregister is removed first, or serves
// again while it cannot be.
void registerNodeListNotification();
// Unregisters it; afterwards onNodeListChanged is not running and does nothing until the
// next register, even when the driver failed to remove the registration (that failure is
// logged and the registration kept).
void unregisterNodeListNotification();

}  // namespace lvc
