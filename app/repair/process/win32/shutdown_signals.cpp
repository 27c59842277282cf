#include "app/repair/process/shutdown_signals.h"

namespace zapp {

// The window's own close paths end the program on Windows.
void InstallShutdownSignals(std::function<void()> onSignal) {}
void RemoveShutdownSignals() {}

}  // namespace zapp
