// The bus-change notification: while registered, every change of the bus's node list runs
// onNodeListChanged on a driver thread.
#pragma once

namespace lvc {

// Registers onNodeListChanged with the driver; a failure is logged and leaves it
// unregistered.
void registerNodeListNotification();
// Unregisters it when registered; afterwards onNodeListChanged is not running and never
// runs again.
void unregisterNodeListNotification();

}  // namespace lvc
