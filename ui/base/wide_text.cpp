#include "ui/base/wide_text.h"

namespace zui {

bool IsLetterOrDigit(wchar_t c) {
  const auto u = static_cast<uint32_t>(c);
  if (u < 0x80) return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
  if (u <= 0xBF) return u == 0xAA || u == 0xB5 || u == 0xBA;
  if (u == 0xD7 || u == 0xF7) return false;
  if (u >= 0x2000 && u <= 0x2BFF) return false;  // punctuation, symbols, arrows, boxes
  if (u >= 0x3000 && u <= 0x303F) return false;  // CJK punctuation
  if (u >= 0xFE30 && u <= 0xFE4F) return false;  // CJK compatibility forms
  if (u >= 0xFF00 && u <= 0xFF0F) return false;  // full-width punctuation
  if (u >= 0xFF1A && u <= 0xFF20) return false;
  if (u == 0xFEFF || u == 0xFFFD || u == 0xFFFE || u == 0xFFFF) return false;
  return true;
}

wchar_t FoldCase(wchar_t c) {
  const auto u = static_cast<uint32_t>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<wchar_t>(u + 32);
  if (u < 0xC0) return c;
  if ((u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<wchar_t>(u + 32);
  if (u >= 0x100 && u <= 0x17F && u != 0x130 && u != 0x131 && u != 0x138 && u != 0x149 && u != 0x178) {
    // Latin Extended-A pairs alternate upper/lower, with one phase shift at 0x139.
    const bool oddPhase = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    const bool upper = oddPhase ? (u % 2 == 1) : (u % 2 == 0);
    return upper ? static_cast<wchar_t>(u + 1) : c;
  }
  if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<wchar_t>(u + 32);  // Greek
  if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);                // Cyrillic
  if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
  if (u >= 0xFF21 && u <= 0xFF3A) return static_cast<wchar_t>(u + 32);  // full-width Latin
  return c;
}

std::wstring FoldCaseCopy(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = FoldCase(c);
  return out;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace zui
