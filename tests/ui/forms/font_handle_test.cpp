#include "ui/forms/font_handle.h"

#include <gtest/gtest.h>

namespace quellan::forms {
namespace {

TEST(FontHandle, MadeFromTheDescriptionAtTheGivenDpi) {
  struct Case {
    FontObject font;
    int dpi;
  };
  FontObject styled = *MakeFont(u"Tahoma", 12.0f, 700);
  styled.italic = styled.underline = styled.strikethrough = true;
  styled.charset = 163;
  FontObject longName = *MakeFont(u"A face name far longer than LOGFONT can hold in its array", 9.0f);
  const Case cases[] = {
      {*MakeFont(u"Tahoma", 8.25f), 96},
      {*MakeFont(u"Tahoma", 20.25f, 700), 96},
      {*MakeFont(u"Tahoma", 8.25f), 144},
      {styled, 120},
      {longName, 96},
  };
  const long before = GdiCounter::Live();
  for (const Case& c : cases) {
    Font font = CreateFontHandle(c.font, c.dpi);
    ASSERT_TRUE(font);
    EXPECT_EQ(GdiCounter::Live(), before + 1);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.get(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, FontHeightForDpi(c.font.size, c.dpi));
    EXPECT_EQ(lf.lfWeight, c.font.weight);
    EXPECT_EQ(lf.lfItalic != 0, c.font.italic);
    EXPECT_EQ(lf.lfUnderline != 0, c.font.underline);
    EXPECT_EQ(lf.lfStrikeOut != 0, c.font.strikethrough);
    EXPECT_EQ(lf.lfCharSet, c.font.charset);
    const std::u16string face(reinterpret_cast<const char16_t*>(lf.lfFaceName));
    EXPECT_EQ(face, c.font.name.substr(0, LF_FACESIZE - 1));
  }
  EXPECT_EQ(GdiCounter::Live(), before);
}

TEST(FontHandle, CharacterCellMatchesTheHeight) {
  // 8.25 pt at 96 DPI: an 11-pixel em, the size the buttons' captions are drawn in.
  Font font = CreateFontHandle(*MakeFont(u"Tahoma", 8.25f), 96);
  WindowDc screen(nullptr);
  SelectedObject selected(screen.get(), font.get());
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(screen.get(), &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
  EXPECT_EQ(ScreenDpi(), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace
}  // namespace quellan::forms
