#pragma once
// The resources seam: byte blocks compiled into the program, found by
// resource type and number, or by type and name. On Windows they are the module's own resources
// (FindResource / LoadResource); on Linux the program registers the blocks it
// embeds at start-up. Registered blocks are searched first on both platforms,
// which is also how tests provide resources.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zui {

// A module handle (HMODULE on Windows); null means the program itself.
using NativeModule = void*;

// The bytes must stay valid for the life of the process.
void RegisterEmbeddedResource(std::wstring_view type, unsigned id, const void* data, size_t size);
void RegisterEmbeddedResource(std::wstring_view type, std::wstring_view name, const void* data, size_t size);
void ClearEmbeddedResources();

// Finds the block without copying it; false when absent or empty.
bool FindNativeResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data, size_t& size);
bool FindNativeResource(NativeModule module, std::wstring_view type, std::wstring_view name, const uint8_t*& data,
                        size_t& size);
// Copies the block; false when absent or empty.
bool LoadNativeResource(NativeModule module, std::wstring_view type, unsigned id, std::vector<uint8_t>& bytes);

// The platform half: the module's own resources. Never called with a type
// and id that were registered.
bool FindPlatformResource(NativeModule module, std::wstring_view type, unsigned id, const uint8_t*& data, size_t& size);
bool FindPlatformResource(NativeModule module, std::wstring_view type, std::wstring_view name, const uint8_t*& data,
                          size_t& size);

}  // namespace zui
