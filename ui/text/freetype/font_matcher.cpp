#include "ui/text/freetype/font_matcher.h"

#include <fontconfig/fontconfig.h>

#include <strings.h>

#include <future>
#include <memory>

#include "sys/text_encoding.h"

namespace zui {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
  void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};

const FcChar8* Str(const char* s) { return reinterpret_cast<const FcChar8*>(s); }

// Loading the configuration and the font caches is the slow part; it may
// start on its own thread while the program connects to the display.
std::shared_future<bool>& Initialisation() {
  static std::shared_future<bool> ready = std::async(std::launch::async, [] { return FcInit() == FcTrue; }).share();
  return ready;
}

bool EnsureInitialised() { return Initialisation().get(); }

std::string FamilyOf(const FontRequest& fontRequest) {
  return fontRequest.face.empty() ? std::string("sans-serif") : zsys::WideToUtf8(fontRequest.face);
}

PatternPtr RequestPattern(const FontRequest& fontRequest, bool chinese) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return pattern;
  FcPatternAddString(pattern.get(), FC_FAMILY, Str(FamilyOf(fontRequest).c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, fontRequest.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, fontRequest.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, fontRequest.pixelSize > 0 ? fontRequest.pixelSize : 12);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (chinese) FcPatternAddString(pattern.get(), FC_LANG, Str("zh-cn"));
  return pattern;
}

PatternPtr Match(FcPattern* request) {
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  return PatternPtr(FcFontMatch(nullptr, request, &result));
}

bool HasFamily(FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
  }
  return false;
}

std::optional<FontFileChoice> ChoiceFrom(FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FontFileChoice choice;
  choice.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(font, FC_INDEX, 0, &choice.faceIndex);
  return choice;
}

}  // namespace

void FontMatcher::PrepareInBackground() { Initialisation(); }

std::optional<FontFileChoice> FontMatcher::MatchFace(const FontRequest& fontRequest) {
  if (!EnsureInitialised()) return std::nullopt;
  PatternPtr request = RequestPattern(fontRequest, fontRequest.face.empty());
  if (!request) return std::nullopt;
  PatternPtr font = Match(request.get());
  if (font && !fontRequest.face.empty() && !HasFamily(font.get(), FamilyOf(fontRequest))) {
    PatternPtr chinese = RequestPattern(fontRequest, true);
    if (chinese) font = Match(chinese.get());
  }
  if (!font) return std::nullopt;
  return ChoiceFrom(font.get());
}

std::optional<FontFileChoice> FontMatcher::MatchFaceWithChar(const FontRequest& fontRequest, char32_t code) {
  if (!EnsureInitialised()) return std::nullopt;
  PatternPtr request = RequestPattern(fontRequest, false);
  std::unique_ptr<FcCharSet, CharSetDeleter> wanted(FcCharSetCreate());
  if (!request || !wanted) return std::nullopt;
  FcCharSetAddChar(wanted.get(), code);
  FcPatternAddCharSet(request.get(), FC_CHARSET, wanted.get());
  PatternPtr font = Match(request.get());
  if (!font) return std::nullopt;
  FcCharSet* has = nullptr;
  if (FcPatternGetCharSet(font.get(), FC_CHARSET, 0, &has) != FcResultMatch || !FcCharSetHasChar(has, code))
    return std::nullopt;
  return ChoiceFrom(font.get());
}

}  // namespace zui

// fontconfig keeps a few allocations for the life of the process that it
// never frees (288 bytes with 2.14, from its first match); LeakSanitizer
// would otherwise fail every test that makes a font.
#if defined(__SANITIZE_ADDRESS__)
#define ZAVIZ_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZAVIZ_WITH_LSAN 1
#endif
#endif
#ifdef ZAVIZ_WITH_LSAN
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
