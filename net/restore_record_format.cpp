#include "net/restore_record_format.h"

#include <cstdio>
#include <map>

#include "sys/text_encoding.h"

namespace znet {
namespace {

constexpr char kVersionLine[] = "zaviz-era-varedu restore-record 1";
constexpr const char* kKeys[] = {
    "adapter", "index", "dhcp", "address", "mask", "gateway", "description", "wide-description", "repair-address-own"};

std::string Escape(std::string_view raw) {
  std::string out;
  for (unsigned char c : raw) {
    if (c < 0x20 || c == 0x7f || c == '\\') {
      char escaped[5];
      std::snprintf(escaped, sizeof(escaped), "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) return std::nullopt;
    if (c != '\\') {
      out += static_cast<char>(c);
      continue;
    }
    if (text.size() - i < 4 || text[i + 1] != 'x') return std::nullopt;
    const int high = HexDigit(text[i + 2]), low = HexDigit(text[i + 3]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 3;
  }
  if (out.size() > kRestoreRecordMaxValueBytes) return std::nullopt;
  return out;
}

// Dotted quad of four decimal parts 0..255 without leading zeros, or empty
// (no address recorded). These values reach netsh's command line, so nothing
// else passes.
bool IsAddressOrEmpty(std::string_view text) {
  if (text.empty()) return true;
  int parts = 0;
  size_t i = 0;
  while (true) {
    size_t start = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) value = value * 10 + (text[i++] - '0');
    const size_t digits = i - start;
    if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0')) return false;
    ++parts;
    if (i == text.size()) return parts == 4;
    if (text[i] != '.' || parts == 4) return false;
    ++i;
  }
}

std::optional<uint32_t> ParseIndex(std::string_view text) {
  if (text.empty() || text.size() > 10 || text[0] == '0') return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(value);
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

}  // namespace

std::string FormatRestoreRecord(const RestoreRecord& record, std::string& error) {
  const NetCardInfo& card = record.card;
  const std::string wideUtf8 = zsys::WideToUtf8(card.wideDescription);
  for (const std::string* field : {&record.adapterName, &card.description, &wideUtf8}) {
    if (field->size() > kRestoreRecordMaxValueBytes) {
      error = "a name or description is longer than a restore record holds";
      return {};
    }
  }
  for (const std::string* field : {&card.ipAddress, &card.ipMask, &card.gateway}) {
    if (!IsAddressOrEmpty(*field)) {
      error = "not an IPv4 address: " + Escape(*field);
      return {};
    }
  }
  if (card.index == 0 || record.adapterName.empty()) {
    error = "no card named";
    return {};
  }
  std::string text = std::string(kVersionLine) + "\n";
  auto line = [&text](const char* key, const std::string& value) { text += std::string(key) + "=" + value + "\n"; };
  line("adapter", Escape(record.adapterName));
  line("index", std::to_string(card.index));
  line("dhcp", card.dhcpEnabled ? "1" : "0");
  line("address", card.ipAddress);
  line("mask", card.ipMask);
  line("gateway", card.gateway);
  line("description", Escape(card.description));
  line("wide-description", Escape(wideUtf8));
  line("repair-address-own", record.repairAddressWasOwn ? "1" : "0");
  return text;
}

std::optional<RestoreRecord> ParseRestoreRecord(std::string_view text) {
  if (text.size() > kRestoreRecordMaxFileBytes) return std::nullopt;
  const size_t firstEnd = text.find('\n');
  if (firstEnd == std::string_view::npos || text.substr(0, firstEnd) != kVersionLine) return std::nullopt;
  std::map<std::string, std::string_view> values;
  for (size_t start = firstEnd + 1; start < text.size();) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return std::nullopt;  // a cut-off last line
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string key(line.substr(0, equals));
    bool known = false;
    for (const char* name : kKeys) known = known || key == name;
    if (!known || !values.emplace(key, line.substr(equals + 1)).second) return std::nullopt;
  }
  if (values.size() != std::size(kKeys)) return std::nullopt;

  RestoreRecord record;
  NetCardInfo& card = record.card;
  const auto adapter = Unescape(values["adapter"]);
  const auto index = ParseIndex(values["index"]);
  const auto dhcp = ParseFlag(values["dhcp"]);
  const auto own = ParseFlag(values["repair-address-own"]);
  const auto description = Unescape(values["description"]);
  const auto wide = Unescape(values["wide-description"]);
  if (!adapter || adapter->empty() || !index || !dhcp || !own || !description || !wide) return std::nullopt;
  for (const char* key : {"address", "mask", "gateway"}) {
    if (!IsAddressOrEmpty(values[key])) return std::nullopt;
  }
  record.adapterName = *adapter;
  record.repairAddressWasOwn = *own;
  card.index = *index;
  card.dhcpEnabled = *dhcp;
  card.ipAddress = values["address"];
  card.ipMask = values["mask"];
  card.gateway = values["gateway"];
  card.description = *description;
  card.wideDescription = zsys::Utf8ToWide(*wide);
  return record;
}

}  // namespace znet
