#pragma once
// The traditional PKWARE stream cipher of password-protected zip members.
// Both directions share one key schedule, driven by the plain bytes.

#include <zlib.h>

#include <cstdint>
#include <string>

namespace zui {

class ZipCrypto {
 public:
  explicit ZipCrypto(const std::string& password) {
    for (char c : password) Update(static_cast<uint8_t>(c));
  }
  uint8_t Decrypt(uint8_t cipher) {
    const uint8_t plain = static_cast<uint8_t>(cipher ^ KeyStreamByte());
    Update(plain);
    return plain;
  }
  uint8_t Encrypt(uint8_t plain) {
    const uint8_t cipher = static_cast<uint8_t>(plain ^ KeyStreamByte());
    Update(plain);
    return cipher;
  }

 private:
  uint8_t KeyStreamByte() const {
    const uint32_t temp = (keys_[2] | 2) & 0xFFFF;
    return static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
  }
  static uint32_t Crc(uint32_t crc, uint8_t byte) { return get_crc_table()[(crc ^ byte) & 0xFF] ^ (crc >> 8); }
  void Update(uint8_t byte) {
    keys_[0] = Crc(keys_[0], byte);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = Crc(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
  }
  uint32_t keys_[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};

}  // namespace zui
