#pragma once
// A card's setup from before the repair, kept in a small file for as long as
// the repair address outlives the process, so that the next start can give
// the card back its own setup after a crash or a kill.

#include <cstdio>
#include <filesystem>
#include <string>

#include "net/adapter_source.h"
#include "net/address_changer.h"
#include "net/net_card_info.h"

namespace znet {

struct RestoreRecord {
  NetCardInfo card;                  // the card as it was before (index, addresses, DHCP flag, descriptions)
  std::string adapterName;           // the AdapterEntry name (Linux: interface name; Windows: instance id)
  bool repairAddressWasOwn = false;  // the card carried 192.168.1.2 before: restoring leaves it
};

// The record for `card` as it is now, before the repair address is given:
// asks `changer` whether the card already carries 192.168.1.2.
RestoreRecord MakeRestoreRecord(const NetCardInfo& card, const std::string& adapterName, IAddressChanger& changer);

class RestoreRecordFile {
 public:
  explicit RestoreRecordFile(std::filesystem::path path);

  // Linux: /run/zaviz-era-varedu, else $XDG_RUNTIME_DIR/zaviz-era-varedu, else
  // /tmp/zaviz-era-varedu-<uid> (private folders, made 0700); Windows:
  // %ProgramData%\ZavizEraVaredu, else the program's folder. Empty when no
  // safe folder exists (then Write fails and Read finds nothing).
  static std::filesystem::path DefaultPath();

  // Replaces the file whole (temporary file, flushed, renamed over it); false
  // with a reason in `error` when it could not.
  bool Write(const RestoreRecord& record, std::string& error);

  enum class ReadResult { kNone, kLoaded, kUnreadable };
  // kNone when there is no file; kUnreadable for anything but a well-formed
  // record of this version (size-bounded, strict, safe on hostile input).
  ReadResult Read(RestoreRecord& record) const;

  // Deletes the file; nothing happens when there is none.
  void Remove();

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// At start-up: restores the card named by a record left behind and removes the record.
// A record that cannot be read, or whose card is not in `adapters`' list any more
// (matched by adapterName and index), is removed with one line on `console`.
// Returns true when a card was restored.
bool RecoverFromRestoreRecord(RestoreRecordFile& file, IAdapterSource& adapters, IAddressChanger& changer,
                              std::FILE* console);

}  // namespace znet
