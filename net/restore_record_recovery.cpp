#include <cstdio>
#include <string>
#include <vector>

#include "net/restore_record.h"

namespace znet {
namespace {

bool CardStillThere(IAdapterSource& adapters, const RestoreRecord& record, bool& listed) {
  std::vector<AdapterEntry> list;
  listed = adapters.ListAdapters(list) == AdapterQuery::Ok;
  for (const AdapterEntry& entry : list) {
    if (entry.name == record.adapterName && entry.index == record.card.index) return true;
  }
  return false;
}

void Say(std::FILE* console, const std::string& line) {
  if (!console) return;
  std::fprintf(console, "%s\n", line.c_str());
  std::fflush(console);
}

std::string About(const RestoreRecord& record) {
  return "restore record for " + record.adapterName + " (index " + std::to_string(record.card.index) + ")";
}

}  // namespace

bool RecoverFromRestoreRecord(RestoreRecordFile& file, IAdapterSource& adapters, IAddressChanger& changer,
                              std::FILE* console) {
  const std::string path = file.Path().string();
  RestoreRecord record;
  switch (file.Read(record)) {
    case RestoreRecordFile::ReadResult::kNone: return false;
    case RestoreRecordFile::ReadResult::kUnreadable:
      Say(console, "restore record " + path + " is unreadable; discarded");
      file.Remove();
      return false;
    case RestoreRecordFile::ReadResult::kLoaded: break;
  }
  bool listed = false;
  if (!CardStillThere(adapters, record, listed)) {
    if (!listed) {
      // Without the list nothing is known about the card: try again next time.
      Say(console, About(record) + ": the adapter list cannot be read; " + path + " kept");
      return false;
    }
    Say(console, About(record) + ": the card is gone; " + path + " discarded");
    file.Remove();
    return false;
  }
  changer.SetRepairAddressWasOwn(record.card.index, record.repairAddressWasOwn);
  if (!changer.RestoreCard(record.card.index, record.card)) {
    Say(console, About(record) + ": the card could not be restored; " + path + " kept");
    return false;
  }
  Say(console, About(record) + ": the card has its own setup back; " + path + " removed");
  file.Remove();
  return true;
}

}  // namespace znet
