// The in-place parse of a skin document. Nesting is walked with an explicit
// stack rather than recursion, so a deeply nested (or hostile) document cannot
// overflow the thread's stack; the order of every step, and therefore every
// result and message, is that of a plain recursive descent.

#include <cwchar>
#include <vector>

#include "ui/resources/skin_markup.h"
#include "ui/base/wide_text.h"

namespace zui {

class CSkinMarkup::Parser {
 public:
  Parser(CSkinMarkup& markup, wchar_t* text) : markup_(markup), base_(text), p_(text) {}

  bool Run();

 private:
  // One nesting level: the elements that share a parent.
  struct Level {
    uint32_t parent;
    uint32_t previous;
  };
  // An element whose content holds children; finished when its level returns.
  struct OpenElement {
    uint32_t index;
    const wchar_t* name;
    size_t nameLength;
    wchar_t* nameEnd;
    wchar_t* textEnd;
  };
  enum class Step { kLevelDone, kElementDone, kDescend, kFailed };

  Step ParseNext(Level& level);
  bool FinishElement(const OpenElement& element);
  bool ParseAttributes();
  wchar_t* ReadData(wchar_t stop);
  void SkipSection();
  void SkipBlanks() {
    while (IsMarkupBlank(*p_)) ++p_;
  }
  void SkipName() {
    while (IsLetterOrDigit(*p_) || *p_ == L'_' || *p_ == L':') ++p_;
  }
  uint32_t Offset(const wchar_t* at) const { return static_cast<uint32_t>(at - base_); }
  Step Fail(const wchar_t* message, const wchar_t* at) {
    markup_.SetError(message, at);
    return Step::kFailed;
  }

  CSkinMarkup& markup_;
  wchar_t* base_;
  wchar_t* p_;
  std::vector<OpenElement> open_;
};

bool CSkinMarkup::Parser::Run() {
  std::vector<Level> levels{{0, 0}};
  for (;;) {
    const Step step = ParseNext(levels.back());
    if (step == Step::kFailed) return false;
    if (step == Step::kDescend) {
      levels.push_back({open_.back().index, 0});
      continue;
    }
    if (step == Step::kElementDone) continue;
    // The level ended: finish the element that owns it, or the document.
    levels.pop_back();
    if (open_.empty()) return true;
    const OpenElement element = open_.back();
    open_.pop_back();
    if (!FinishElement(element)) return false;
  }
}

CSkinMarkup::Parser::Step CSkinMarkup::Parser::ParseNext(Level& level) {
  for (;;) {
    SkipBlanks();
    if (*p_ == L'\0' && level.parent <= 1) return Step::kLevelDone;
    if (*p_ != L'<') return Fail(L"Expected start tag", p_);
    if (p_[1] == L'/') return Step::kLevelDone;
    *p_++ = L'\0';
    SkipBlanks();
    if (*p_ == L'!' || *p_ == L'?') {
      SkipSection();
      continue;
    }
    break;
  }

  const uint32_t index = markup_.AppendElement(Offset(p_), level.parent);
  Element* elements = markup_.elements_.get();
  if (level.previous != 0) {
    elements[level.previous].sibling = index;
  } else if (level.parent != 0) {
    elements[level.parent].child = index;
  }
  level.previous = index;

  const wchar_t* name = p_;
  SkipName();
  wchar_t* nameEnd = p_;
  if (*p_ == L'\0') return Fail(L"Error parsing element name", p_);
  if (!ParseAttributes()) return Step::kFailed;

  SkipBlanks();
  if (p_[0] == L'/' && p_[1] == L'>') {
    elements[index].text = Offset(p_);
    *p_ = L'\0';
    p_ += 2;
    *nameEnd = L'\0';
    return Step::kElementDone;
  }
  if (*p_ != L'>') return Fail(L"Expected start-tag closing", p_);
  elements[index].text = Offset(++p_);
  const OpenElement element{index, name, static_cast<size_t>(nameEnd - name), nameEnd, ReadData(L'<')};
  if (*p_ == L'\0' && level.parent <= 1) {
    // An unclosed element at the top: accepted, with its name and text ended
    // here so neither runs on into the rest of the buffer.
    *element.textEnd = L'\0';
    *nameEnd = L'\0';
    return Step::kLevelDone;
  }
  if (*p_ != L'<') return Fail(L"Expected end-tag start", p_);
  if (p_[1] != L'/') {
    open_.push_back(element);
    return Step::kDescend;
  }
  return FinishElement(element) ? Step::kElementDone : Step::kFailed;
}

bool CSkinMarkup::Parser::FinishElement(const OpenElement& element) {
  if (p_[0] == L'<' && p_[1] == L'/') {
    *element.textEnd = L'\0';
    *p_ = L'\0';
    p_ += 2;
    SkipBlanks();
    if (std::wcsncmp(p_, element.name, element.nameLength) != 0) {
      Fail(L"Unmatched closing tag", p_);
      return false;
    }
    p_ += element.nameLength;
    SkipBlanks();
    if (*p_ != L'>') {
      // The location is the character after the offending one, unless the
      // text already ended there.
      Fail(L"Unmatched closing tag", *p_ != L'\0' ? p_ + 1 : p_);
      return false;
    }
    ++p_;
  } else {
    *element.textEnd = L'\0';
  }
  *element.nameEnd = L'\0';
  return true;
}

bool CSkinMarkup::Parser::ParseAttributes() {
  if (*p_ == L'>' || (p_[0] == L'/' && p_[1] == L'>')) return true;
  *p_++ = L'\0';
  for (;;) {
    SkipBlanks();
    if (*p_ == L'\0' || *p_ == L'/' || *p_ == L'>') return true;
    SkipName();
    wchar_t* nameEnd = p_;
    SkipBlanks();
    if (*p_ != L'=') {
      Fail(L"Error while parsing attributes", p_);
      return false;
    }
    *p_++ = L' ';
    *nameEnd = L'\0';
    SkipBlanks();
    if (*p_ != L'"') {
      Fail(L"Expected attribute value", p_);
      return false;
    }
    ++p_;
    wchar_t* valueEnd = ReadData(L'"');
    if (*p_ == L'\0') {
      Fail(L"Error while parsing attribute string", p_);
      return false;
    }
    *valueEnd = L'\0';
    if (valueEnd != p_) *p_ = L' ';
    ++p_;
  }
}

// Copies element text or an attribute value onto itself, decoding the five
// entities, and returns where the copy ended. What lies between the copy's end
// and the reading position is blanked so the attribute walk finds no leftovers.
wchar_t* CSkinMarkup::Parser::ReadData(wchar_t stop) {
  static constexpr struct {
    const wchar_t* name;
    size_t length;
    wchar_t value;
  } kEntities[] = {{L"amp;", 4, L'&'}, {L"lt;", 3, L'<'}, {L"gt;", 3, L'>'}, {L"quot;", 5, L'"'}, {L"apos;", 5, L'\''}};

  wchar_t* dest = p_;
  while (*p_ != L'\0' && *p_ != stop) {
    if (*p_ == L'&') {
      ++p_;
      wchar_t decoded = L'&';
      for (const auto& entity : kEntities) {
        if (std::wcsncmp(p_, entity.name, entity.length) == 0) {
          decoded = entity.value;
          p_ += entity.length;
          break;
        }
      }
      *dest++ = decoded;
    } else if (*p_ == L' ') {
      *dest++ = *p_++;
      if (!markup_.preserveWhitespace_) SkipBlanks();
    } else {
      *dest++ = *p_++;
    }
  }
  for (wchar_t* q = dest + 1; q < p_; ++q) *q = L' ';
  return dest;
}

void CSkinMarkup::Parser::SkipSection() {
  const wchar_t second = *p_ == L'!' ? L'-' : L'?';
  while (*p_ != L'\0' && !(p_[0] == second && p_[1] == L'>')) ++p_;
  if (*p_ != L'\0') p_ += 2;
}

bool CSkinMarkup::ParseText(std::unique_ptr<wchar_t[]> text, size_t length) {
  text_ = std::move(text);
  textLength_ = length;
  elementCount_ = 0;
  AppendElement(0, 0);
  errorMessage_[0] = L'\0';
  errorLocation_[0] = L'\0';
  Parser parser(*this, text_.get());
  if (parser.Run()) return true;
  Release();
  return false;
}

}  // namespace zui
