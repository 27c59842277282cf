#pragma once
// A bounded least-recently-used cache of rendered glyphs, keyed by code
// point. Fonts keep one each, so text that is repainted every frame is
// rasterised once, while a long run of distinct characters cannot make the
// cache grow without limit.

#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

namespace zui {

template <typename Glyph>
class GlyphCache {
 public:
  explicit GlyphCache(size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

  // The cached glyph, moved to the front; null when absent.
  const Glyph* Find(char32_t code) {
    auto it = index_.find(code);
    if (it == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, it->second);
    return &it->second->second;
  }

  // Stores a glyph (replacing one with the same code) and evicts the least
  // recently used one when full. The reference stays valid until that glyph
  // is evicted.
  const Glyph& Insert(char32_t code, Glyph glyph) {
    auto it = index_.find(code);
    if (it != index_.end()) {
      it->second->second = std::move(glyph);
      order_.splice(order_.begin(), order_, it->second);
      return it->second->second;
    }
    if (order_.size() >= capacity_) {
      index_.erase(order_.back().first);
      order_.pop_back();
    }
    order_.emplace_front(code, std::move(glyph));
    index_[code] = order_.begin();
    return order_.front().second;
  }

  size_t size() const { return order_.size(); }
  size_t capacity() const { return capacity_; }

 private:
  size_t capacity_;
  std::list<std::pair<char32_t, Glyph>> order_;
  std::unordered_map<char32_t, typename std::list<std::pair<char32_t, Glyph>>::iterator> index_;
};

}  // namespace zui
