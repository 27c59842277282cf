#include "app/repair/start_facts.h"

#include <cstdio>
#include <cstdlib>

#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "app/repair/start_texts.h"
#include "net/address_changer.h"
#include "sys/text_encoding.h"

namespace zapp {
namespace {

std::wstring Wide(const std::string& utf8) { return zsys::Utf8ToWide(utf8); }

std::wstring SizeText(int64_t bytes) {
  if (bytes < 1024 * 1024) return FillText(kSizeBytes, {std::to_wstring(bytes)});
  char megabytes[32];
  std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return FillText(kSizeMegabytes, {Wide(megabytes)});
}

// Windows names its cards by instance id ("{4D36...}"), which tells a user nothing.
std::wstring CardText(const StartFacts::Card& card) {
  const std::wstring& description = card.info.wideDescription;
  if (card.name.empty() || card.name.front() == '{' || card.name == card.info.description) return description;
  if (description.empty()) return Wide(card.name);
  return FillText(kCardNameAndDescription, {Wide(card.name), description});
}

// The usual way to stop a TFTP server the distribution runs as a service.
const wchar_t* ServiceOf(const std::string& program) {
  if (program == "in.tftpd") return L"tftpd-hpa";
  if (program == "dnsmasq") return L"dnsmasq";
  if (program == "atftpd") return L"atftpd";
  return nullptr;
}

}  // namespace

std::wstring PathText(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  std::wstring text = Wide(std::string(u8.begin(), u8.end()));
#ifndef _WIN32
  // The home folder as "~", as the user's shell writes it: the paths must fit their lines.
  const char* home = std::getenv("HOME");
  const std::wstring homeText = home != nullptr ? Wide(home) : std::wstring();
  if (homeText.size() > 1 && text.rfind(homeText, 0) == 0 &&
      (text.size() == homeText.size() || text[homeText.size()] == L'/')) {
    text.replace(0, homeText.size(), L"~");
  }
#endif
  return text;
}

std::wstring FillText(const wchar_t* text, const std::vector<std::wstring>& values) {
  std::wstring result;
  for (const wchar_t* p = Tr(text); *p != L'\0'; ++p) {
    if (p[0] == L'{' && p[1] >= L'1' && p[1] <= L'9' && p[2] == L'}') {
      const size_t index = static_cast<size_t>(p[1] - L'1');
      if (index < values.size()) result += values[index];
      p += 2;
      continue;
    }
    result += *p;
  }
  return result;
}

std::wstring FirmwareLine(const FirmwareLookup& lookup) {
  const std::wstring name = Wide(lookup.fileName), folder = PathText(lookup.folder);
  std::wstring line;
  switch (lookup.problem) {
    case FirmwareProblem::kNone: return FillText(kFirmwareFound, {name, SizeText(lookup.size), folder});
    case FirmwareProblem::kNotFound: {
      std::wstring searched;
      for (const std::filesystem::path& path : lookup.searched) {
        if (!searched.empty()) searched += Tr(kFolderSeparator);
        searched += PathText(path);
      }
      line = FillText(kFirmwareNotFound, {name, searched});
      break;
    }
    case FirmwareProblem::kEmpty: line = FillText(kFirmwareEmpty, {name, folder}); break;
    case FirmwareProblem::kFolder: line = FillText(kFirmwareIsFolder, {name, folder}); break;
    case FirmwareProblem::kNotReadable: line = FillText(kFirmwareNotReadable, {name, folder}); break;
  }
  if (!lookup.nearName.empty()) {
    const std::filesystem::path near = lookup.nearName.parent_path();
    // A long path said twice would not fit the failure page.
    const bool folderNamed = lookup.problem == FirmwareProblem::kNotFound
                                 ? lookup.searched.size() == 1 && lookup.searched.front() == near
                                 : lookup.folder == near;
    line += L"\n" + (folderNamed
                         ? FillText(kFirmwareNearNameHere, {PathText(lookup.nearName.filename()), name})
                         : FillText(kFirmwareNearName, {PathText(near), PathText(lookup.nearName.filename()), name}));
  }
  return line;
}

std::wstring StartStatusText(const StartFacts& facts) {
  std::wstring card;
  if (facts.cards.empty()) {
    card = Tr(kStatusNoCard);
  } else if (facts.cards.size() == 1) {
    card = FillText(kStatusOneCard, {CardText(facts.cards.front()), Wide(znet::kRepairAddress)});
  } else {
    card = FillText(kStatusSeveralCards, {std::to_wstring(facts.cards.size())});
  }
  return card + L"\n" + FirmwareLine(facts.firmware);
}

std::wstring FirmwareFailureText(const FirmwareLookup& lookup) {
  return std::wstring(Tr(kFirmwareText)) + L"\n" + FirmwareLine(lookup);
}

std::wstring PortHolderLine(int port, const PortHolder& holder) {
  const std::wstring number = std::to_wstring(port);
  if (holder.pid == 0) return FillText(kPortHeldUnseen, {number});
  if (holder.program.empty()) return FillText(kPortHeldByUnnamed, {number, std::to_wstring(holder.pid)});
  std::wstring line = FillText(kPortHeldBy, {number, Wide(holder.program), std::to_wstring(holder.pid)});
  const wchar_t* service = ServiceOf(holder.program);
  return line + (service != nullptr ? FillText(kPortStopService, {service}) : std::wstring(Tr(kPortStopOther)));
}

std::wstring PortBusyFailureText(int port, const PortHolder& holder) {
  return std::wstring(Tr(kPortBusyText)) + L"\n" + PortHolderLine(port, holder);
}

}  // namespace zapp
