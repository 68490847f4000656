#include "ui/main/about_text.h"

#include <string>

#include "ui/main/maker_identity.h"

namespace quellan::mainwindow {

namespace {

// What follows a line's fixed text.
enum class Piece { None, Title, Version, AuthorName, Email, Website, Phone, Copyright };

struct AboutLine {
  const char16_t* text;
  Piece piece;
};

constexpr AboutLine kAboutLines[] = {
    {u"Tie65n i1ch: ", Piece::Title},
    {u"Phie6n ba3n: ", Piece::Version},
    {u"Chu71c na8ng: Ta81t Autorun...", Piece::None},
    {u"", Piece::None},
    {u"", Piece::None},
    {u"Ta1c gia3: ", Piece::AuthorName},
    {u"Email: ", Piece::Email},
    {u"Website: ", Piece::Website},
    {u"Fone: ", Piece::Phone},
    {u"", Piece::None},
    {u"", Piece::None},
    {u"", Piece::Copyright},
};

constexpr char16_t kTitleBefore[] = u"Tho6ng tin ve62 ";
constexpr char16_t kTitleAfter[] = u"!";
constexpr char16_t kLineBreak[] = u"\r\n";

// A version number in decimal: no sign, no blank, no leading zeros.
std::u16string Decimal(int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

AboutText BuildAboutText(const std::u16string& title, int major, int minor, const AboutIdentity& identity) {
  AboutText about;
  for (const AboutLine& line : kAboutLines) {
    about.text += line.text;
    switch (line.piece) {
      case Piece::None:
        break;
      case Piece::Title:
        about.text += title;
        break;
      case Piece::Version:
        about.text += Decimal(major) + u"." + Decimal(minor);
        break;
      case Piece::AuthorName:
        about.text += identity.authorNameVni;
        break;
      case Piece::Email:
        about.text += identity.authorEmail;
        break;
      case Piece::Website:
        about.text += identity.webAddress;
        break;
      case Piece::Phone:
        about.text += identity.authorPhone;
        break;
      case Piece::Copyright:
        about.text += identity.copyrightNotice;
        break;
    }
    about.text += kLineBreak;
  }
  about.title = kTitleBefore + title + kTitleAfter;
  return about;
}

AboutIdentity BuiltIdentity() {
  return AboutIdentity{identity::kAuthorNameVni, identity::kAuthorEmail, identity::kWebAddress, identity::kAuthorPhone,
                       identity::kCopyrightNotice};
}

}  // namespace quellan::mainwindow
