#include "ui/resources/skin_markup.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "sys/text_encoding.h"
#include "ui/resources/document_reader.h"

namespace zui {
namespace {

// Appends one UTF-16 code unit sequence to the wide buffer. On Linux wchar_t
// holds whole code points, so surrogate pairs are joined (a lone surrogate
// becomes U+FFFD); on Windows the units are kept as they are.
void AppendUtf16(std::wstring& out, const uint8_t* bytes, size_t units, bool bigEndian) {
  auto unitAt = [&](size_t i) -> uint32_t {
    const uint8_t a = bytes[2 * i], b = bytes[2 * i + 1];
    return bigEndian ? (uint32_t{a} << 8 | b) : (uint32_t{b} << 8 | a);
  };
  out.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    uint32_t unit = unitAt(i);
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<wchar_t>(unit));
    } else {
      if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
        const uint32_t low = unitAt(i + 1);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
          ++i;
          continue;
        }
      }
      if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
      out.push_back(static_cast<wchar_t>(unit));
    }
  }
}

std::wstring DecodeBytes(const uint8_t* bytes, size_t size, int encoding) {
  std::wstring wide;
  if (encoding == CSkinMarkup::kUtf16) {
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
      AppendUtf16(wide, bytes + 2, size / 2 - 1, false);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
      AppendUtf16(wide, bytes + 2, size / 2 - 1, true);
    } else {
      // Without a byte-order mark the text is taken as little-endian, the
      // order every platform we build for writes.
      AppendUtf16(wide, bytes, size / 2, false);
    }
  } else if (encoding == CSkinMarkup::kAnsi) {
    wide = zsys::AnsiToWide(std::string_view(reinterpret_cast<const char*>(bytes), size));
  } else {
    if (size > 2 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      bytes += 3;
      size -= 3;
    }
    wide = zsys::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(bytes), size));
  }
  return wide;
}

}  // namespace

CSkinMarkup::CSkinMarkup(const wchar_t* xml) {
  if (xml != nullptr && xml[0] == L'<') Load(xml);
}

bool CSkinMarkup::Load(const wchar_t* xml) {
  Release();
  if (xml == nullptr) xml = L"";
  const size_t length = std::wcslen(xml);
  auto text = std::make_unique<wchar_t[]>(length + 1);
  std::wmemcpy(text.get(), xml, length + 1);
  return ParseText(std::move(text), length);
}

bool CSkinMarkup::LoadFromMem(const uint8_t* bytes, size_t size, int encoding) {
  Release();
  if (bytes == nullptr) size = 0;
  return DecodeAndParse(bytes, size, encoding);
}

bool CSkinMarkup::DecodeAndParse(const uint8_t* bytes, size_t size, int encoding) {
  const std::wstring wide = size > 0 ? DecodeBytes(bytes, size, encoding) : std::wstring();
  auto text = std::make_unique<wchar_t[]>(wide.size() + 1);
  std::wmemcpy(text.get(), wide.c_str(), wide.size() + 1);
  return ParseText(std::move(text), wide.size());
}

bool CSkinMarkup::LoadFromFile(const wchar_t* name, int encoding) {
  Release();
  std::vector<uint8_t> bytes;
  std::wstring message;
  if (!ReadSkinDocument(name != nullptr ? name : L"", bytes, message)) {
    SetError(message, nullptr);
    return false;
  }
  return DecodeAndParse(bytes.data(), bytes.size(), encoding);
}

void CSkinMarkup::Release() {
  text_.reset();
  textLength_ = 0;
  elements_.reset();
  elementCount_ = 0;
  elementCapacity_ = 0;
}

CSkinMarkupNode CSkinMarkup::GetRoot() {
  if (elementCount_ <= 1) return CSkinMarkupNode();
  return CSkinMarkupNode(this, 1);
}

uint32_t CSkinMarkup::AppendElement(uint32_t namePos, uint32_t parent) {
  if (elementCount_ >= elementCapacity_) {
    const uint32_t capacity = elementCapacity_ + elementCapacity_ / 2 + 500;
    auto grown = std::make_unique<Element[]>(capacity);
    if (elementCount_ > 0) std::memcpy(grown.get(), elements_.get(), sizeof(Element) * elementCount_);
    elements_ = std::move(grown);
    elementCapacity_ = capacity;
  }
  const uint32_t index = elementCount_++;
  elements_[index] = Element{namePos, 0, 0, parent, 0};
  return index;
}

void CSkinMarkup::SetError(std::wstring_view message, const wchar_t* location) {
  const size_t messageLength = std::min(message.size(), std::size(errorMessage_) - 1);
  std::wmemcpy(errorMessage_, message.data(), messageLength);
  errorMessage_[messageLength] = L'\0';
  size_t locationLength = 0;
  if (location != nullptr) {
    while (locationLength < std::size(errorLocation_) - 1 && location[locationLength] != L'\0') ++locationLength;
    std::wmemcpy(errorLocation_, location, locationLength);
  }
  errorLocation_[locationLength] = L'\0';
}

}  // namespace zui
