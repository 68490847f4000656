#pragma once
// A standard message box shown in Vietnamese: prompt and title are VNI-typed and converted to
// Unicode, and a thread-local CBT hook sets a Tahoma font on the message text and relabels the
// OK, Yes, No, Retry and Cancel buttons when the box is activated. Where the text needs more room
// in that font than the box gave it, the text control and the box grow to it.
#include <windows.h>

#include <cstdint>
#include <string>

namespace quellan::modVie {

// Shows MessageBoxW(owner, converted prompt, converted title, flags) and returns its result
// unchanged (IDOK, IDCANCEL, IDYES, ...; 0 when the box could not be shown).
int VieMsgBox(const std::u16string& prompt, std::uint32_t flags, const std::u16string& title, HWND owner);

}  // namespace quellan::modVie
