#include "net/restore_record.h"

#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "net/replace_file.h"
#include "net/restore_record_format.h"

namespace znet {

RestoreRecord MakeRestoreRecord(const NetCardInfo& card, const std::string& adapterName, IAddressChanger& changer) {
  RestoreRecord record;
  record.card = card;
  record.adapterName = adapterName;
  record.repairAddressWasOwn = changer.CardCarriesRepairAddress(card.index);
  return record;
}

RestoreRecordFile::RestoreRecordFile(std::filesystem::path path) : path_(std::move(path)) {}

bool RestoreRecordFile::Write(const RestoreRecord& record, std::string& error) {
  if (path_.empty()) {
    error = "no private folder for the restore record";
    return false;
  }
  const std::string text = FormatRestoreRecord(record, error);
  return !text.empty() && ReplaceFileContent(path_, text, error);
}

RestoreRecordFile::ReadResult RestoreRecordFile::Read(RestoreRecord& record) const {
  std::error_code error;
  if (path_.empty() || !std::filesystem::exists(path_, error)) return ReadResult::kNone;
  if (!std::filesystem::is_regular_file(path_, error)) return ReadResult::kUnreadable;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return ReadResult::kUnreadable;
  // One byte more than a record may have tells an oversized file apart.
  std::vector<char> buffer(kRestoreRecordMaxFileBytes + 1);
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  const size_t size = static_cast<size_t>(in.gcount());
  if (in.bad()) return ReadResult::kUnreadable;
  auto parsed = ParseRestoreRecord(std::string_view(buffer.data(), size));
  if (!parsed) return ReadResult::kUnreadable;
  record = std::move(*parsed);
  return ReadResult::kLoaded;
}

void RestoreRecordFile::Remove() {
  std::error_code error;
  if (!path_.empty()) std::filesystem::remove(path_, error);
}

}  // namespace znet
