#include "ui/text/text_layout.h"

#include "ui/base/saturate.h"

#include <algorithm>

#include "ui/text/text_format.h"

namespace zui {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr char32_t kEllipsisDot = U'.';
constexpr int kEllipsisDots = 3;

struct LineRange {
  size_t begin = 0;
  size_t end = 0;
};

bool IsDropped(char32_t c) { return c < 0x20 && c != U'\t'; }

class LayoutBuilder {
 public:
  LayoutBuilder(ITextMeasure& measure, const FontMetrics& metrics, const Rect& rect, unsigned format)
      : measure_(measure), metrics_(metrics), rect_(rect), format_(format) {}

  TextLayout Run(const std::vector<TextChar>& chars);

 private:
  bool Has(unsigned flag) const { return (format_ & flag) != 0; }
  std::vector<std::vector<TextChar>> SplitParagraphs(const std::vector<TextChar>& chars) const;
  int AdvanceAt(const TextChar& c, int x);
  bool CanBreakBetween(char32_t before, char32_t after) const;
  std::vector<LineRange> BreakParagraph(const std::vector<TextChar>& p);
  PlacedLine PlaceLine(const std::vector<TextChar>& p, LineRange range);
  void EndWithEllipsis(PlacedLine& line, bool always);
  void KeepLinesThatFit(std::vector<PlacedLine>& lines);
  void Position(TextLayout& layout);

  ITextMeasure& measure_;
  const FontMetrics& metrics_;
  Rect rect_;
  unsigned format_;
};

std::vector<std::vector<TextChar>> LayoutBuilder::SplitParagraphs(const std::vector<TextChar>& chars) const {
  std::vector<std::vector<TextChar>> paragraphs(1);
  const bool single = Has(DT_SINGLELINE);
  for (size_t i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i].code;
    if (!single && IsLineBreak(c)) {
      if (c == U'\r' && i + 1 < chars.size() && chars[i + 1].code == U'\n') ++i;
      paragraphs.emplace_back();
      continue;
    }
    if (IsDropped(c)) continue;
    paragraphs.back().push_back(chars[i]);
  }
  // A final line break ends the last line; it does not open another one.
  if (paragraphs.size() > 1 && paragraphs.back().empty()) paragraphs.pop_back();
  if (paragraphs.size() == 1 && paragraphs[0].empty() && chars.empty()) paragraphs.clear();
  return paragraphs;
}

int LayoutBuilder::AdvanceAt(const TextChar& c, int x) {
  if (c.code == U'\t') {
    if (Has(DT_EXPANDTABS)) {
      int stop = 8 * (metrics_.aveCharWidth > 0 ? metrics_.aveCharWidth : measure_.Advance(U' '));
      if (stop <= 0) stop = 8;
      return (x / stop + 1) * stop - x;
    }
    return measure_.Advance(U' ');
  }
  return measure_.Advance(c.code);
}

bool LayoutBuilder::CanBreakBetween(char32_t before, char32_t after) const {
  if (Has(DT_NOFULLWIDTHCHARBREAK)) return false;
  if (!IsWideBreakable(before) && !IsWideBreakable(after)) return false;
  return !IsNoLineStart(after) && !IsNoLineEnd(before);
}

std::vector<LineRange> LayoutBuilder::BreakParagraph(const std::vector<TextChar>& p) {
  const size_t end = p.size();
  if (!Has(DT_WORDBREAK) || Has(DT_SINGLELINE) || end == 0) return {{0, end}};
  const int width = rect_.Width();
  const bool cutWords = Has(DT_EDITCONTROL);
  std::vector<LineRange> lines;
  size_t start = 0;
  while (start < end) {
    int x = 0;
    size_t i = start;
    size_t candEnd = kNone, candNext = kNone;
    bool overflow = false;
    size_t next = kNone;  // start of the following line once this one is cut
    while (i < end && next == kNone) {
      if (IsBreakingSpace(p[i].code)) {
        const size_t spaceBegin = i;
        while (i < end && IsBreakingSpace(p[i].code)) x += AdvanceAt(p[i++], x);
        if (spaceBegin > start) {
          candEnd = spaceBegin;
          candNext = i;
          if (overflow && i < end) {
            lines.push_back({start, candEnd});
            next = candNext;
          }
        }
        continue;
      }
      if (i > start && CanBreakBetween(p[i - 1].code, p[i].code)) {
        candEnd = candNext = i;
        if (overflow) {
          lines.push_back({start, i});
          next = i;
          break;
        }
      }
      const int w = AdvanceAt(p[i], x);
      if (i > start && x + w > width && !overflow) {
        if (candEnd != kNone) {
          lines.push_back({start, candEnd});
          next = candNext;
          break;
        }
        if (cutWords) {
          lines.push_back({start, i});
          next = i;
          break;
        }
        overflow = true;
      }
      x += w;
      ++i;
    }
    if (next == kNone) {
      lines.push_back({start, end});
      break;
    }
    start = next;
  }
  return lines;
}

PlacedLine LayoutBuilder::PlaceLine(const std::vector<TextChar>& p, LineRange range) {
  PlacedLine line;
  int x = 0;
  for (size_t i = range.begin; i < range.end; ++i) {
    const int w = AdvanceAt(p[i], x);
    line.chars.push_back({p[i].code == U'\t' ? U' ' : p[i].code, x, w, p[i].prefixUnderline});
    x += w;
  }
  line.width = x;
  return line;
}

// Cuts the line so that it and "..." fit the rectangle's width. With `always`
// the dots are added even when the line already fits (text was dropped after
// it).
void LayoutBuilder::EndWithEllipsis(PlacedLine& line, bool always) {
  const int width = rect_.Width();
  if (line.endsWithEllipsis || (!always && line.width <= width)) return;
  const int dot = measure_.Advance(kEllipsisDot);
  const int dotsWidth = dot * kEllipsisDots;
  while (!line.chars.empty() && line.chars.back().x + line.chars.back().advance + dotsWidth > width)
    line.chars.pop_back();
  int x = line.chars.empty() ? 0 : line.chars.back().x + line.chars.back().advance;
  for (int i = 0; i < kEllipsisDots; ++i, x += dot) line.chars.push_back({kEllipsisDot, x, dot, false});
  line.width = x;
  line.endsWithEllipsis = true;
}

void LayoutBuilder::KeepLinesThatFit(std::vector<PlacedLine>& lines) {
  const int lineHeight = std::max(1, metrics_.height + (Has(DT_EXTERNALLEADING) ? metrics_.externalLeading : 0));
  const size_t fit = static_cast<size_t>(std::max(1, rect_.Height() / lineHeight));
  if (lines.size() <= fit) return;
  if (Has(DT_END_ELLIPSIS)) {
    lines.resize(fit);
    EndWithEllipsis(lines.back(), true);
  } else if (Has(DT_EDITCONTROL)) {
    lines.resize(fit);
  }
}

void LayoutBuilder::Position(TextLayout& layout) {
  // In 64 bits: a text rectangle made from skin numbers may span the whole
  // int range, and a line placed outside it is clipped away anyway.
  const int64_t lineHeight = layout.lineHeight;
  const int64_t left = rect_.left, top = rect_.top, right = rect_.right, bottom = rect_.bottom;
  int64_t y = top;
  if (Has(DT_SINGLELINE)) {
    if (Has(DT_VCENTER)) {
      y = top + (bottom - top - lineHeight) / 2;
    } else if (Has(DT_BOTTOM)) {
      y = bottom - lineHeight;
    }
  }
  for (PlacedLine& line : layout.lines) {
    line.y = SaturateToInt(y);
    y += lineHeight;
    if (Has(DT_CENTER)) {
      line.x = SaturateToInt(left + (right - left - line.width) / 2);
    } else if (Has(DT_RIGHT)) {
      line.x = SaturateToInt(right - line.width);
    } else {
      line.x = rect_.left;
    }
  }
}

TextLayout LayoutBuilder::Run(const std::vector<TextChar>& chars) {
  TextLayout layout;
  layout.lineHeight = std::max(1, metrics_.height + (Has(DT_EXTERNALLEADING) ? metrics_.externalLeading : 0));
  for (const std::vector<TextChar>& paragraph : SplitParagraphs(chars)) {
    for (LineRange range : BreakParagraph(paragraph)) layout.lines.push_back(PlaceLine(paragraph, range));
  }
  if (Has(DT_END_ELLIPSIS)) {
    for (PlacedLine& line : layout.lines) EndWithEllipsis(line, false);
  }
  int widest = 0;
  for (const PlacedLine& line : layout.lines) widest = std::max(widest, line.width);
  const int allLines = static_cast<int>(layout.lines.size()) * layout.lineHeight;
  layout.extent = {rect_.left, rect_.top, SaturatedAdd(rect_.left, widest), SaturatedAdd(rect_.top, allLines)};
  if (!Has(DT_CALCRECT) && !Has(DT_SINGLELINE)) KeepLinesThatFit(layout.lines);
  Position(layout);
  layout.height = allLines;
  if (!Has(DT_CALCRECT) && Has(DT_SINGLELINE) && Has(DT_VCENTER | DT_BOTTOM) && !layout.lines.empty())
    layout.height = SaturateToInt(int64_t{layout.lines.back().y} + layout.lineHeight - rect_.top);
  return layout;
}

}  // namespace

TextLayout LayoutText(const std::vector<TextChar>& chars, ITextMeasure& measure, const FontMetrics& metrics,
                      const Rect& rect, unsigned format) {
  return LayoutBuilder(measure, metrics, rect, format).Run(chars);
}

}  // namespace zui
