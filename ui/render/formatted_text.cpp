// Formatted text: tags read into words, words flowed over lines and drawn one
// by one through the plain text routine, link boxes collected on the way.

#include <algorithm>
#include <vector>

#include "ui/render/skin_renderer.h"
#include "ui/text/text_chars.h"
#include "ui/text/text_engine.h"

namespace zui {
namespace {

struct Word {
  std::wstring text;  // empty for a line break
  int link = -1;      // index into the link targets, -1 outside a link
  bool spaceBefore = false;
  bool lineBreak = false;
  int width = 0;
};

struct Parsed {
  std::vector<Word> words;
  std::vector<std::wstring> targets;
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Reads one tag at `text[at]` ('{' or '<'); answers its length, 0 when it is
// not a tag we know (then it is drawn as written).
size_t ReadTag(std::wstring_view text, size_t at, std::wstring& name, std::wstring& value) {
  const wchar_t close = text[at] == L'{' ? L'}' : L'>';
  const size_t end = text.find(close, at + 1);
  if (end == std::wstring_view::npos) return 0;
  std::wstring_view inner = text.substr(at + 1, end - at - 1);
  const size_t blank = inner.find(L' ');
  name.assign(inner.substr(0, blank));
  value.assign(blank == std::wstring_view::npos ? std::wstring_view{} : inner.substr(blank + 1));
  if (name != L"a" && name != L"/a" && name != L"n") return 0;
  return end - at + 1;
}

Parsed Parse(std::wstring_view text) {
  Parsed out;
  Word current;
  bool pendingSpace = false;
  int link = -1;
  size_t linkStart = 0;  // first word of the open link, for a target taken from its text
  auto flush = [&] {
    if (current.text.empty()) return;
    current.link = link;
    current.spaceBefore = pendingSpace;
    out.words.push_back(std::move(current));
    current = Word{};
    pendingSpace = false;
  };
  for (size_t i = 0; i < text.size();) {
    const wchar_t c = text[i];
    if (c == L'{' || c == L'<') {
      std::wstring name, value;
      if (const size_t length = ReadTag(text, i, name, value); length > 0) {
        flush();
        if (name == L"n") {
          Word brk;
          brk.lineBreak = true;
          out.words.push_back(brk);
          pendingSpace = false;
        } else if (name == L"a" && link < 0) {
          link = static_cast<int>(out.targets.size());
          out.targets.push_back(value);
          linkStart = out.words.size();
        } else if (name == L"/a" && link >= 0) {
          if (out.targets[link].empty()) {
            std::wstring own;
            for (size_t w = linkStart; w < out.words.size(); ++w) {
              if (!own.empty() && out.words[w].spaceBefore) own += L' ';
              own += out.words[w].text;
            }
            out.targets[link] = own;
          }
          link = -1;
        }
        i += length;
        continue;
      }
    }
    if (c == L'\n') {
      flush();
      Word brk;
      brk.lineBreak = true;
      out.words.push_back(brk);
      pendingSpace = false;
      ++i;
      continue;
    }
    if (IsBlank(c) || c == L'\r') {
      flush();
      pendingSpace = true;
      ++i;
      continue;
    }
    // An ideograph is a word of its own: lines may break around it.
    if (IsWideBreakable(static_cast<char32_t>(c))) {
      flush();
      current.text.assign(1, c);
      flush();
      ++i;
      continue;
    }
    current.text += c;
    ++i;
  }
  flush();
  return out;
}

int Measure(ITextEngine& engine, const ITextFont& font, std::wstring_view text) {
  Rect r{0, 0, 9999, 9999};
  engine.DrawText(nullptr, {}, font, text, r, 0xFF000000, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return r.Width();
}

struct Placed {
  size_t word;
  int x;  // from the line's start
};

struct Line {
  std::vector<Placed> words;
  int width = 0;
};

std::vector<Line> Flow(std::vector<Word>& words, int spaceWidth, int maxWidth, bool wrap) {
  std::vector<Line> lines(1);
  for (size_t i = 0; i < words.size(); ++i) {
    Word& w = words[i];
    if (w.lineBreak) {
      lines.emplace_back();
      continue;
    }
    Line* line = &lines.back();
    int x = line->width + (line->words.empty() || !w.spaceBefore ? 0 : spaceWidth);
    if (wrap && !line->words.empty() && x + w.width > maxWidth) {
      lines.emplace_back();
      line = &lines.back();
      x = 0;
    }
    line->words.push_back({i, x});
    line->width = x + w.width;
  }
  return lines;
}

}  // namespace

void CSkinRenderer::PaintFormattedText(Canvas* canvas, IRenderResources* resources, Rect& rect, std::wstring_view text,
                                       const FormattedTextColors& colors, int fontIndex, unsigned style,
                                       TextLinks* links) {
  if (links != nullptr) links->count = 0;
  if (text.empty() || resources == nullptr) return;
  ITextEngine* engine = resources->TextEngine();
  const ITextFont* font = resources->GetFont(fontIndex);
  if (engine == nullptr || font == nullptr) return;

  Parsed parsed = Parse(text);
  for (Word& w : parsed.words)
    if (!w.lineBreak) w.width = Measure(*engine, *font, w.text);
  const int spaceWidth = Measure(*engine, *font, L"x x") - Measure(*engine, *font, L"xx");
  const bool single = (style & DT_SINGLELINE) != 0;
  const bool wrap = !single && (style & DT_WORDBREAK) != 0;
  std::vector<Line> lines = Flow(parsed.words, spaceWidth, rect.Width(), wrap);
  if (single && lines.size() > 1) {
    // One line: breaks count as spaces.
    Line joined;
    for (const Line& l : lines)
      for (const Placed& p : l.words) {
        const int x = joined.width + (joined.words.empty() ? 0 : spaceWidth);
        joined.words.push_back({p.word, x});
        joined.width = x + parsed.words[p.word].width;
      }
    lines.assign(1, joined);
  }
  const int lineHeight = std::max(1, font->Metrics().height);

  if (style & DT_CALCRECT) {
    int widest = 0;
    for (const Line& l : lines) widest = std::max(widest, l.width);
    rect.right = rect.left + widest;
    rect.bottom = rect.top + lineHeight * static_cast<int>(lines.size());
    return;
  }

  // Every word's box, and one box per line of each link.
  int y = rect.top;
  if (single && (style & DT_VCENTER)) y = rect.top + (rect.Height() - lineHeight) / 2;
  else if (single && (style & DT_BOTTOM)) y = rect.bottom - lineHeight;
  struct Box {
    Rect rect;
    int link;
  };
  std::vector<Box> wordBoxes, linkBoxes;
  std::vector<const Word*> placedWords;
  for (const Line& line : lines) {
    int x = rect.left;
    if (style & DT_CENTER) x = rect.left + (rect.Width() - line.width) / 2;
    else if (style & DT_RIGHT) x = rect.right - line.width;
    for (const Placed& p : line.words) {
      const Word& w = parsed.words[p.word];
      const Rect box{x + p.x, y, x + p.x + w.width, y + lineHeight};
      wordBoxes.push_back({box, w.link});
      placedWords.push_back(&w);
      if (w.link < 0) continue;
      if (!linkBoxes.empty() && linkBoxes.back().link == w.link && linkBoxes.back().rect.top == y)
        linkBoxes.back().rect.right = box.right;
      else linkBoxes.push_back({box, w.link});
    }
    y += lineHeight;
  }

  // The hot box names the link drawn in the hover colour.
  int hotLink = -1;
  if (links != nullptr) {
    if (links->hot >= 0 && links->hot < static_cast<int>(linkBoxes.size())) hotLink = linkBoxes[links->hot].link;
    links->count = static_cast<int>(std::min<size_t>(linkBoxes.size(), TextLinks::kMax));
    for (int i = 0; i < links->count; ++i) {
      links->rects[i] = linkBoxes[i].rect;
      links->targets[i] = parsed.targets[linkBoxes[i].link];
    }
  }
  if (canvas == nullptr) return;

  for (size_t i = 0; i < wordBoxes.size(); ++i) {
    const Rect& word = wordBoxes[i].rect;
    // One pixel of slack: the measured width ends at the last glyph's advance.
    Rect box = Rect{word.left, word.top, word.right + 1, word.bottom}.Intersect(rect);
    if (box.IsEmpty()) continue;
    const int link = wordBoxes[i].link;
    const uint32_t colour = link < 0 ? colors.text : link == hotLink ? colors.linkHover : colors.link;
    PaintText(canvas, resources, box, placedWords[i]->text, colour, fontIndex,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  }
}

}  // namespace zui
