#include "ui/main/about_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/vni.h"

namespace quellan::mainwindow {
namespace {

const AboutIdentity kIdentity{u"Nguye64n Va8n A", u"a@b.example", u"b.example", u"+84 1 2345", u"(C) B Maker"};

std::vector<std::u16string> Lines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last line break";
  return lines;
}

TEST(AboutText, WholeTextAndTitle) {
  const AboutText about = BuildAboutText(u"Quellan", 1, 0, kIdentity);
  EXPECT_EQ(about.text,
            u"Tie65n i1ch: Quellan\r\nPhie6n ba3n: 1.0\r\nChu71c na8ng: Ta81t Autorun...\r\n\r\n\r\n"
            u"Ta1c gia3: Nguye64n Va8n A\r\nEmail: a@b.example\r\nWebsite: b.example\r\nFone: +84 1 2345\r\n\r\n\r\n"
            u"(C) B Maker\r\n");
  EXPECT_EQ(about.title, u"Tho6ng tin ve62 Quellan!");
}

TEST(AboutText, TitleAndVersionAsGiven) {
  struct Case {
    const char16_t* title;
    int major, minor;
    const char16_t *line1, *line2, *boxTitle;
  } cases[] = {
      {u"Quellan", 1, 12, u"Tie65n i1ch: Quellan", u"Phie6n ba3n: 1.12", u"Tho6ng tin ve62 Quellan!"},
      {u"Quellan", 1, 5, u"Tie65n i1ch: Quellan", u"Phie6n ba3n: 1.5", u"Tho6ng tin ve62 Quellan!"},
      {u"Other Tool", 10, 0, u"Tie65n i1ch: Other Tool", u"Phie6n ba3n: 10.0", u"Tho6ng tin ve62 Other Tool!"},
      {u"", 32767, 9999, u"Tie65n i1ch: ", u"Phie6n ba3n: 32767.9999", u"Tho6ng tin ve62 !"},
  };
  for (const Case& c : cases) {
    const AboutText about = BuildAboutText(c.title, c.major, c.minor, kIdentity);
    const std::vector<std::u16string> lines = Lines(about.text);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], c.line1);
    EXPECT_EQ(lines[1], c.line2);
    EXPECT_EQ(about.title, c.boxTitle);
  }
}

TEST(AboutText, ReadsAsVietnameseOnceConverted) {
  const AboutText about = BuildAboutText(u"Quellan", 1, 0, kIdentity);
  const std::vector<std::u16string> lines = Lines(modVie::VniToUnicode(about.text));
  const std::vector<std::u16string> expected = {
      u"Ti\u1EC7n \u00EDch: Quellan",               // Tiện ích
      u"Phi\u00EAn b\u1EA3n: 1.0",                  // Phiên bản
      u"Ch\u1EE9c n\u0103ng: T\u1EAFt Autorun...",  // Chức năng: Tắt
      u"",
      u"",
      u"T\u00E1c gi\u1EA3: Nguy\u1EC5n V\u0103n A",  // Tác giả: Nguyễn Văn
      u"Email: a@b.example",
      u"Website: b.example",
      u"Fone: +84 1 2345",
      u"",
      u"",
      u"(C) B Maker",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(modVie::VniToUnicode(about.title), u"Th\u00F4ng tin v\u1EC1 Quellan!");  // Thông tin về
}

}  // namespace
}  // namespace quellan::mainwindow
