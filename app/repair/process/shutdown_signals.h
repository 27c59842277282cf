#pragma once
// Ending the program from outside (Linux): SIGINT, SIGTERM and SIGHUP close
// the repair window as the user would, so the card gets its setup back.
// SIGKILL cannot be caught; the restore record covers it. Windows: nothing.

#include <functional>

namespace zapp {

// Catches the three signals; the first one calls `onSignal` once, on a
// watcher thread of this module (so `onSignal` must be thread-safe, e.g. post
// WM_CLOSE through the UI host). Later signals are ignored.
void InstallShutdownSignals(std::function<void()> onSignal);
// Puts the former handlers back and ends the watcher thread (joins it).
void RemoveShutdownSignals();

}  // namespace zapp
