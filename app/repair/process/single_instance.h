#pragma once
// The named guard that keeps a second copy of the program from running.

namespace zapp {

// True when this process now holds the guard `name`; false when another
// instance holds it (or it could not be made). The guard is kept for the
// life of the process. Windows: the named mutex; Linux: an flock'ed file
// "<name>.lock" in $XDG_RUNTIME_DIR, else /tmp/zaviz-era-varedu-<uid>,
// released by the kernel when the process dies.
bool AcquireSingleInstance(const char* name = "VXGGownInstance");

}  // namespace zapp
