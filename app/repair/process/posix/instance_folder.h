#pragma once
// Where the running instance keeps its guard and its doorbell: the user's
// runtime folder, else a private folder of this user in /tmp.

#include <filesystem>

namespace zapp {

// Empty when no private folder could be had.
std::filesystem::path InstanceFolder();

}  // namespace zapp
