// The fonts that scripts/wine-fonts.sh gives every project prefix, which the
// pictures and the layout of the pages under test rely on.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace {

struct FontSeen {
  std::string face;
  bool proportional;
};

FontSeen Select(const char *face) {
  LOGFONTA wanted = {};
  wanted.lfHeight = -12;
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontIndirectA(&wanted);
  HGDIOBJ old = SelectObject(screen, font);
  char name[LF_FACESIZE] = "";
  GetTextFaceA(screen, sizeof name, name);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  // The bit's name is the wrong way round: set means variable pitch.
  return {name, (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0};
}

// Wine draws the caption's buttons with Marlett (asked for with the default
// character set); without it they come out as the letters "0 1 r".
TEST(PrefixFonts, TheCaptionButtonsSymbolFontIsFound) { EXPECT_EQ(Select("Marlett").face, "Marlett"); }

TEST(PrefixFonts, TheTemplatesJapaneseFacesKeepTheirPitch) {
  const FontSeen expected[] = {
      {"ＭＳ Ｐゴシック", true}, {"MS UI Gothic", true}, {"MS PGothic", true},
      {"ＭＳ ゴシック", false},  {"MS Gothic", false},
  };
  for (const FontSeen &face : expected) {
    FontSeen seen = Select(face.face.c_str());
    EXPECT_EQ(seen.face, face.face) << "the face was not replaced";
    EXPECT_EQ(seen.proportional, face.proportional) << face.face;
  }
}

}  // namespace
