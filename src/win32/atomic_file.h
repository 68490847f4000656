#pragma once
// Replacing a file's content so that it is never seen half-written.
#include <windows.h>

#include <string>

namespace quellan::win32 {

// Writes bytes to a temporary file in path's folder, flushes and closes it, then moves it over path.
// On failure the temporary file is deleted and an existing file at path is left as it was. Returns
// 0 or the system's error code.
DWORD WriteFileAtomically(const std::u16string& path, const std::string& bytes);

}  // namespace quellan::win32
