#pragma once
// Replacing a file's content so that it is never seen half-written, safely when run elevated in a
// folder that another program of the user could change.
#include <windows.h>

#include <string>

#include "win32/handles.h"

namespace quellan::win32 {

using UniqueFile = UniqueHandle<HANDLE, CloseWith<&CloseHandle>>;

// A replacement of the file at a path, in progress. The folder is held open without delete sharing
// from the start, so it cannot be renamed away or replaced (by a junction, say) until the end; the
// temporary file is created new under a name of its own beside the target, and everything after
// that (write, flush, rename over the target, delete on failure) goes through its one handle. A
// stream name (":"), a device path or name, or a shortcut (".lnk") is refused with
// ERROR_INVALID_NAME.
class FileReplacement {
 public:
  explicit FileReplacement(const std::u16string& path);
  // Deletes the temporary file unless it was renamed over the target.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Writes bytes, flushes them and renames the file over the target. Returns 0 or the system's error
  // code (also that of a failed start); on failure an existing file at the path is left as it was.
  DWORD Commit(const std::string& bytes);

 private:
  DWORD m_status = ERROR_SUCCESS;
  std::wstring m_target;  // the full path of the target
  UniqueFile m_folder, m_file;
};

// FileReplacement(path).Commit(bytes).
DWORD WriteFileAtomically(const std::u16string& path, const std::string& bytes);

}  // namespace quellan::win32
