#pragma once
// Writing a small file whole or not at all: a temporary file beside it,
// flushed to the disk, then renamed over it.

#include <filesystem>
#include <string>

namespace znet {

bool ReplaceFileContent(const std::filesystem::path& path, const std::string& content, std::string& error);

}  // namespace znet
