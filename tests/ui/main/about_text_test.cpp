#include "ui/main/about_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quellan::mainwindow {
namespace {

TEST(AboutText, TwelveLinesAndTitleExactlyAsTyped) {
  const AboutIdentity identity{u"Nguye64n Va8n A", u"a@b.example", u"b.example", u"+84 1 2345", u"(C) B Maker"};
  const struct {
    std::u16string title;
    int major, minor;
    std::u16string version;  // no sign, no blank, no leading zero
  } cases[] = {{u"Quellan", 1, 0, u"1.0"}, {u"Quellan", 1, 12, u"1.12"}, {u"", 32767, 9, u"32767.9"}};
  for (const auto& c : cases) {
    const AboutText about = BuildAboutText(c.title, c.major, c.minor, identity);
    EXPECT_EQ(about.text,
              u"Tie65n i1ch: " + c.title + u"\r\nPhie6n ba3n: " + c.version +
                  u"\r\nChu71c na8ng: Ta81t Autorun...\r\n\r\n\r\nTa1c gia3: Nguye64n Va8n A\r\n"
                  u"Email: a@b.example\r\nWebsite: b.example\r\nFone: +84 1 2345\r\n\r\n\r\n(C) B Maker\r\n");
    EXPECT_EQ(about.title, u"Tho6ng tin ve62 " + c.title + u"!");
  }
}

}  // namespace
}  // namespace quellan::mainwindow
