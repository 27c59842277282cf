#pragma once
// Integer pixel arithmetic on premultiplied 0xAARRGGBB pixels. Everything the
// renderer blends goes through here so both builds produce the same bytes.

#include <cstdint>

namespace zui::pixel {

// Exact round(v / 255) for v in [0, 255 * 255].
inline uint32_t Div255(uint32_t v) {
  v += 128;
  return (v + (v >> 8)) >> 8;
}

inline uint32_t Alpha(uint32_t p) { return p >> 24; }

// Straight ARGB (as skins write colours) to a premultiplied pixel.
inline uint32_t Premultiply(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 255) return argb;
  if (a == 0) return 0;
  const uint32_t r = Div255(((argb >> 16) & 0xFF) * a);
  const uint32_t g = Div255(((argb >> 8) & 0xFF) * a);
  const uint32_t b = Div255((argb & 0xFF) * a);
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// Every channel (alpha included) times f / 255.
inline uint32_t Scale(uint32_t p, uint32_t f) {
  if (f == 255) return p;
  if (f == 0) return 0;
  // Two channels at a time: each product stays below 2^16.
  uint32_t rb = (p & 0x00FF00FFu) * f + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t ag = ((p >> 8) & 0x00FF00FFu) * f + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return ag | rb;
}

// Source-over of a premultiplied source onto a premultiplied destination.
inline uint32_t Over(uint32_t dst, uint32_t src) {
  const uint32_t a = src >> 24;
  if (a == 255) return src;
  if (a == 0 && src == 0) return dst;
  return src + Scale(dst, 255 - a);
}

// dst moved towards src by f / 255 (a copy seen through partial coverage).
inline uint32_t Lerp(uint32_t dst, uint32_t src, uint32_t f) {
  if (f == 255) return src;
  if (f == 0) return dst;
  return Scale(src, f) + Scale(dst, 255 - f);
}

// Win32 COLORREF semantics: the colour drawn opaque, alpha dropped.
inline uint32_t Opaque(uint32_t argb) { return argb | 0xFF000000u; }

}  // namespace zui::pixel
