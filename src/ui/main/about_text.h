#pragma once
// The about box's text and title, VNI-typed as the program keeps them; the localised message box
// converts them to Unicode when it shows them.
#include <string>

namespace quellan::mainwindow {

// The maker's identity as the about box shows it.
struct AboutIdentity {
  std::u16string authorNameVni;  // VNI-typed
  std::u16string authorEmail;
  std::u16string webAddress;
  std::u16string authorPhone;
  std::u16string copyrightNotice;
};

struct AboutText {
  std::u16string text;
  std::u16string title;
};

// Twelve lines, each ended by "\r\n": title, version "major.minor", purpose, two blank lines,
// author, e-mail, web address, telephone, two blank lines, copyright. The title reads
// "Tho6ng tin ve62 <title>!".
AboutText BuildAboutText(const std::u16string& title, int major, int minor, const AboutIdentity& identity);

// The identity this program was built with.
AboutIdentity BuiltIdentity();

}  // namespace quellan::mainwindow
