#pragma once
// Folders for files that decide what the program does to a card: only this
// user may have made them or be able to write into them.

#include <filesystem>
#include <string>

namespace znet {

// Makes `folder` (0700) when it is missing. True when it is then a real
// directory (not a link) owned by this user and writable by nobody else;
// otherwise false with the reason in `why`.
bool EnsurePrivateFolder(const std::filesystem::path& folder, std::string& why);

// /tmp/zaviz-era-varedu-<uid>: the fallback when the session has no runtime
// folder.
std::filesystem::path TmpFallbackFolder();

// $XDG_RUNTIME_DIR when it names a directory of this user, else empty.
std::filesystem::path XdgRuntimeFolder();

}  // namespace znet
