#include "ui/forms/font_handle.h"

#include <gtest/gtest.h>

namespace quellan::forms {
namespace {

TEST(FontHandle, MadeFromTheDescriptionAtTheGivenDpi) {
  FontObject styled = *MakeFont(u"Tahoma", 12.0f, 700);
  styled.italic = styled.underline = styled.strikethrough = true;
  styled.charset = 163;
  const struct {
    FontObject font;
    int dpi;
  } cases[] = {{*MakeFont(u"Tahoma", 8.25f), 144},
               {styled, 120},
               {*MakeFont(u"A face name far longer than LOGFONT can hold in its array", 9.0f), 96}};
  const long before = GdiCounter::Live();
  for (const auto& c : cases) {
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
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(lf.lfFaceName)), c.font.name.substr(0, LF_FACESIZE - 1));
  }
  EXPECT_EQ(GdiCounter::Live(), before);
  WindowDc screen(nullptr);
  EXPECT_EQ(ScreenDpi(), GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace
}  // namespace quellan::forms
