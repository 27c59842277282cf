#pragma once
// Golden-image checks: a test paints into a Bitmap and compares it with
// tests/golden/NAME.png, allowing a small difference per channel.
//
// To regenerate the references after an intended change, run the tests with
// ZAVIZ_UPDATE_GOLDENS=1: every compared image is written back to
// tests/golden/. Look at each changed PNG before committing it. On a mismatch
// the actual picture is written next to the build as NAME.actual.png.

#include <string>

#include <gtest/gtest.h>

#include "ui/base/bitmap.h"

namespace ztest {

// Reads a PNG as a premultiplied BGRA Bitmap; empty Bitmap when unreadable.
zui::Bitmap ReadPng(const std::string& path);
// Writes a premultiplied BGRA Bitmap as an RGBA PNG.
bool WritePng(const std::string& path, const zui::Bitmap& bitmap);

// GoogleTest assertion: EXPECT_TRUE(MatchesGolden(bitmap, "fill_gradient")).
::testing::AssertionResult MatchesGolden(const zui::Bitmap& actual, const std::string& name, int tolerance = 2);

}  // namespace ztest
