#pragma once
// The restore record as text: a version line, then one key=value a line.
// Values that may hold any byte (names, descriptions) escape control bytes
// and the backslash as \xHH, so no field can break the parse of another.

#include <optional>
#include <string>
#include <string_view>

#include "net/restore_record.h"

namespace znet {

inline constexpr size_t kRestoreRecordMaxFileBytes = 16 * 1024;
inline constexpr size_t kRestoreRecordMaxValueBytes = 1024;

// Empty with a reason in `error` when a field is longer than a record may hold.
std::string FormatRestoreRecord(const RestoreRecord& record, std::string& error);
// Nothing unless `text` is exactly one well-formed record of this version.
std::optional<RestoreRecord> ParseRestoreRecord(std::string_view text);

}  // namespace znet
