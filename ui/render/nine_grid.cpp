// Nine-grid image drawing and the image descriptor that drives it.

#include <algorithm>

#include "ui/render/coords.h"
#include "ui/render/descriptor_cache.h"
#include "ui/render/image_stretch.h"
#include "ui/render/skin_renderer.h"

namespace zui {
namespace {

struct Piece {
  const Bitmap& image;
  Canvas& canvas;
  const Rect& paint;
  bool blend;
  uint8_t fade;

  void Draw(const Rect& dest, const Rect& source) const {
    if (dest.IsEmpty() || source.IsEmpty() || !dest.Intersects(paint)) return;
    DrawImagePiece(canvas, image, dest, source, paint, blend, fade);
  }
};

// First tile index whose span [start + i * step, ...) can reach `from`.
int FirstTile(int start, int step, int from) { return from > start ? (from - start) / step : 0; }

void PaintMiddle(const Piece& piece, const Rect& dm, const Rect& sm, bool xTiled, bool yTiled) {
  if (dm.IsEmpty() || sm.IsEmpty() || !dm.Intersects(piece.paint)) return;
  const Rect& paint = piece.paint;
  const int tw = sm.Width(), th = sm.Height();
  if (!xTiled && !yTiled) {
    piece.Draw(dm, sm);
  } else if (xTiled && !yTiled) {
    for (int x = dm.left + FirstTile(dm.left, tw, paint.left) * tw; x < dm.right && x < paint.right; x += tw) {
      const int w = std::min(tw, dm.right - x);
      piece.Draw({x, dm.top, x + w, dm.bottom}, {sm.left, sm.top, sm.left + w, sm.bottom});
    }
  } else if (!xTiled && yTiled) {
    for (int y = dm.top + FirstTile(dm.top, th, paint.top) * th; y < dm.bottom && y < paint.bottom; y += th) {
      const int h = std::min(th, dm.bottom - y);
      piece.Draw({dm.left, y, dm.right, y + h}, {sm.left, sm.top, sm.right, sm.top + h});
    }
  } else {
    for (int y = dm.top + FirstTile(dm.top, th, paint.top) * th; y < dm.bottom && y < paint.bottom; y += th) {
      const int h = std::min(th, dm.bottom - y);
      for (int x = dm.left + FirstTile(dm.left, tw, paint.left) * tw; x < dm.right && x < paint.right; x += tw) {
        const int w = std::min(tw, dm.right - x);
        piece.Draw({x, y, x + w, y + h}, {sm.left, sm.top, sm.left + w, sm.top + h});
      }
    }
  }
}

bool Has(const std::wstring& text, const wchar_t* word) { return text.find(word) != std::wstring::npos; }

// Places a span of `length` inside [itemLow, itemHigh) by the align words of
// one direction; leaves [low, high) as it is when none of them is given.
void PlaceSpan(const std::wstring& align, const wchar_t* const words[3], int itemLow, int itemHigh, int length,
               int& low, int& high) {
  if (Has(align, words[0])) {
    low = itemLow;
  } else if (Has(align, words[1])) {
    low = itemLow + (itemHigh - itemLow - length) / 2;
  } else if (Has(align, words[2])) {
    low = itemHigh - length;
  } else {
    return;
  }
  high = low + length;
}

// Places a box of `size` inside `item` by the align words, starting from
// `draw` where no word of a direction is given.
Rect PlaceSizedBox(const ImageDrawInfo& info, const Rect& item, Rect draw) {
  static const wchar_t* const kHorizontal[3] = {L"left", L"center", L"right"};
  static const wchar_t* const kVertical[3] = {L"top", L"vcenter", L"bottom"};
  const Rect pad = Coords(info.padding);
  PlaceSpan(info.align, kHorizontal, item.left, item.right, Coord(info.size.cx), draw.left, draw.right);
  PlaceSpan(info.align, kVertical, item.top, item.bottom, Coord(info.size.cy), draw.top, draw.bottom);
  draw = Coords(draw).Offset(Coord(int64_t{pad.left} - pad.right), Coord(int64_t{pad.top} - pad.bottom));
  draw.right = std::min(draw.right, item.right);
  draw.bottom = std::min(draw.bottom, item.bottom);
  return draw;
}

}  // namespace

void CSkinRenderer::PaintNineGrid(Canvas& canvas, const Bitmap& image, const Rect& destIn, const Rect& paint,
                                  const Rect& sourceIn, const Rect& cornerIn, bool alpha, uint8_t fade, bool hole,
                                  bool xTiled, bool yTiled) {
  const Rect d = Coords(destIn), s = Coords(sourceIn);
  if (image.empty() || d.IsEmpty() || !d.Intersects(paint)) return;
  // A negative corner would read outside its piece.
  const Rect c = Coords({std::max(cornerIn.left, 0), std::max(cornerIn.top, 0), std::max(cornerIn.right, 0),
                         std::max(cornerIn.bottom, 0)});
  const Piece piece{image, canvas, paint, alpha || fade < 255, fade};

  if (!hole)
    PaintMiddle(piece, {d.left + c.left, d.top + c.top, d.right - c.right, d.bottom - c.bottom},
                {s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom}, xTiled, yTiled);

  if (c.left > 0 && c.top > 0)
    piece.Draw({d.left, d.top, d.left + c.left, d.top + c.top}, {s.left, s.top, s.left + c.left, s.top + c.top});
  if (c.top > 0)
    piece.Draw({d.left + c.left, d.top, d.right - c.right, d.top + c.top},
               {s.left + c.left, s.top, s.right - c.right, s.top + c.top});
  if (c.right > 0 && c.top > 0)
    piece.Draw({d.right - c.right, d.top, d.right, d.top + c.top}, {s.right - c.right, s.top, s.right, s.top + c.top});
  if (c.left > 0)
    piece.Draw({d.left, d.top + c.top, d.left + c.left, d.bottom - c.bottom},
               {s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom});
  if (c.right > 0)
    piece.Draw({d.right - c.right, d.top + c.top, d.right, d.bottom - c.bottom},
               {s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom});
  if (c.left > 0 && c.bottom > 0)
    piece.Draw({d.left, d.bottom - c.bottom, d.left + c.left, d.bottom},
               {s.left, s.bottom - c.bottom, s.left + c.left, s.bottom});
  if (c.bottom > 0)
    piece.Draw({d.left + c.left, d.bottom - c.bottom, d.right - c.right, d.bottom},
               {s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom});
  if (c.right > 0 && c.bottom > 0)
    piece.Draw({d.right - c.right, d.bottom - c.bottom, d.right, d.bottom},
               {s.right - c.right, s.bottom - c.bottom, s.right, s.bottom});
}

bool CSkinRenderer::PaintImageDescriptor(Canvas* canvas, IRenderResources* resources, const Rect& item,
                                         const Rect& paint, std::wstring_view descriptor, std::wstring_view modifier) {
  if (canvas == nullptr || resources == nullptr) return false;
  const ImageDrawInfo* info = resources->DescriptorCache().Get(descriptor, modifier, resources);
  if (info == nullptr) return false;

  Rect draw = item;
  if (info->dest != Rect{}) {
    const Rect& dest = info->dest;
    draw.left = Coord(int64_t{item.left} + dest.left);
    draw.top = Coord(int64_t{item.top} + dest.top);
    draw.right = Coord(std::min(int64_t{item.right}, int64_t{item.left} + dest.right));
    draw.bottom = Coord(std::min(int64_t{item.bottom}, int64_t{item.top} + dest.bottom));
  }
  if (info->size.cx > 0 && info->size.cy > 0) draw = PlaceSizedBox(*info, item, draw);
  if (info->imageName.empty()) return false;

  const SkinImage* image = nullptr;
  if (!info->resType.empty()) {
    image = resources->GetOrLoadImage(info->imageName, info->resType, info->mask);
  } else if (info->useSvg) {
    const Size at = info->useSvgSrcSize ? Size{} : Size{draw.Width(), draw.Height()};
    image = resources->GetOrLoadSvgImage(info->imageName, at);
  } else {
    image = resources->GetOrLoadImage(info->imageName, {}, info->mask);
  }
  if (image == nullptr) return false;

  const Bitmap& bitmap = image->bitmap;
  Rect source{0, 0, bitmap.width(), bitmap.height()};
  if (info->source != Rect{}) {
    source = info->source;
    source.right = std::min(source.right, bitmap.width());
    source.bottom = std::min(source.bottom, bitmap.height());
  }
  if (!draw.Intersects(item)) return true;
  if (draw.Intersects(paint))
    PaintNineGrid(*canvas, bitmap, draw, paint, source, info->corner, resources->IsLayered() || image->hasAlpha,
                  info->fade, info->hole, info->xTiled, info->yTiled);
  return true;
}

}  // namespace zui
