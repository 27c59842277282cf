#include "ui/text/glyph_cache.h"

#include <string>

#include <gtest/gtest.h>

namespace zui {
namespace {

TEST(GlyphCache, EvictsTheLeastRecentlyUsedGlyphWhenFull) {
  GlyphCache<std::string> cache(2);
  cache.Insert(U'a', "A");
  cache.Insert(U'b', "B");
  ASSERT_NE(cache.Find(U'a'), nullptr);  // 'b' is now the oldest
  cache.Insert(U'c', "C");
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_EQ(cache.Find(U'b'), nullptr);
  ASSERT_NE(cache.Find(U'a'), nullptr);
  EXPECT_EQ(*cache.Find(U'a'), "A");
  EXPECT_EQ(*cache.Find(U'c'), "C");
}

TEST(GlyphCache, StaysWithinItsCapacity) {
  GlyphCache<int> cache(16);
  for (char32_t c = 0x4E00; c < 0x4E00 + 1000; ++c) cache.Insert(c, static_cast<int>(c));
  EXPECT_EQ(cache.size(), 16u);
  EXPECT_NE(cache.Find(0x4E00 + 999), nullptr);
  EXPECT_EQ(cache.Find(0x4E00), nullptr);
}

}  // namespace
}  // namespace zui
