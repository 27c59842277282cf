#pragma once
// Stopping the repair from outside. Linux: SIGINT, SIGTERM and SIGHUP
// (through the wizard's shutdown signals). Windows: Ctrl+C, Ctrl+Break,
// closing the console window, logoff and shutdown; for the last three the
// system ends the process once the handler returns, so the handler waits
// (a few seconds at most) until RemoveStopRequests says the card is back.

#include <functional>

namespace zaviz_repair {

// `onStop` runs once, for the first request, on a thread of this module;
// it must be thread-safe.
void InstallStopRequests(std::function<void()> onStop);
// After the card is given back: the former handling returns.
void RemoveStopRequests();

}  // namespace zaviz_repair
