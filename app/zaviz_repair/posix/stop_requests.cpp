#include "app/zaviz_repair/stop_requests.h"

#include "app/repair/process/shutdown_signals.h"

namespace zaviz_repair {

void InstallStopRequests(std::function<void()> onStop) { zapp::InstallShutdownSignals(std::move(onStop)); }
void RemoveStopRequests() { zapp::RemoveShutdownSignals(); }

}  // namespace zaviz_repair
