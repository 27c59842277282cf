#pragma once
// Stand-ins for the network seams: a registry table, an adapter list, a
// recorder of trace lines and a way to read what was printed to a FILE.

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "net/adapter_source.h"
#include "net/address_changer.h"
#include "net/registry_source.h"

namespace znet::testing {

struct FakeSubKey {
  std::optional<std::wstring> instanceId;
  std::optional<uint32_t> characteristics;
};

class FakeRegistry : public IRegistrySource {
 public:
  std::vector<std::pair<std::wstring, FakeSubKey>> subKeys;

  std::vector<std::wstring> EnumSubKeys() override {
    std::vector<std::wstring> names;
    for (const auto& entry : subKeys) names.push_back(entry.first);
    return names;
  }
  bool ReadString(const std::wstring& subKey, const wchar_t* valueName, std::wstring& value) override {
    const FakeSubKey* key = Find(subKey, valueName, kInstanceIdValue);
    return key && key->instanceId && (value = *key->instanceId, true);
  }
  bool ReadDword(const std::wstring& subKey, const wchar_t* valueName, uint32_t& value) override {
    const FakeSubKey* key = Find(subKey, valueName, kCharacteristicsValue);
    return key && key->characteristics && (value = *key->characteristics, true);
  }

 private:
  const FakeSubKey* Find(const std::wstring& name, const wchar_t* valueName, const wchar_t* expected) const {
    if (std::wstring(valueName) != expected) return nullptr;
    for (const auto& entry : subKeys) {
      if (entry.first == name) return &entry.second;
    }
    return nullptr;
  }
};

class FakeAdapters : public IAdapterSource {
 public:
  std::vector<AdapterEntry> list;
  AdapterQuery answer = AdapterQuery::Ok;

  AdapterQuery ListAdapters(std::vector<AdapterEntry>& adapters) override {
    adapters.clear();
    if (answer == AdapterQuery::Ok) adapters = list;
    return answer;
  }
};

inline AdapterEntry Adapter(std::string name, std::string description, uint32_t index) {
  AdapterEntry a;
  a.name = std::move(name);
  a.description = std::move(description);
  a.index = index;
  a.hardwareAddress = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
  return a;
}

// An address changer that records the restores it is asked for.
class FakeChanger : public IAddressChanger {
 public:
  struct Restore {
    uint32_t index;
    NetCardInfo card;
    bool repairAddressWasOwn;  // what the changer had been told before the restore
  };
  std::vector<Restore> restores;
  std::map<uint32_t, bool> own;
  std::map<uint32_t, bool> carries;
  bool answer = true;

  bool GiveRepairAddress(uint32_t index) override { return answer; }
  bool RestoreCard(uint32_t index, const NetCardInfo& recorded) override {
    restores.push_back({index, recorded, own[index]});
    return answer;
  }
  bool CardCarriesRepairAddress(uint32_t index) override { return carries[index]; }
  void SetRepairAddressWasOwn(uint32_t index, bool wasOwn) override { own[index] = wasOwn; }
};

// What `print` wrote to a FILE, read back from a temporary file (works with
// the Windows C runtime too, which has no memory streams).
inline std::string CaptureOutput(const std::function<void(std::FILE*)>& print) {
  std::FILE* file = std::tmpfile();
  if (!file) return "<tmpfile failed>";
  print(file);
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

// Trace lines go through a plain function pointer, so the recorder is global.
inline std::vector<std::string>& TraceLines() {
  static std::vector<std::string> lines;
  return lines;
}
inline void RecordTrace(const char* line) { TraceLines().emplace_back(line); }

}  // namespace znet::testing
