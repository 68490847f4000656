#include "win32/atomic_file.h"

#include "win32/handles.h"

namespace quellan::win32 {
namespace {

using UniqueFile = UniqueHandle<HANDLE, CloseWith<&CloseHandle>>;

// Writes the whole of bytes to the existing file at path, flushed to the disk, and closes it.
DWORD WriteAndClose(const wchar_t* path, const std::string& bytes) {
  if (bytes.size() > MAXDWORD) return ERROR_FILE_TOO_LARGE;
  const HANDLE opened = CreateFileW(path, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return GetLastError();
  UniqueFile file(opened);
  const auto size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), size, &written, nullptr)) return GetLastError();
  if (written != size) return ERROR_WRITE_FAULT;
  if (!FlushFileBuffers(file.get())) return GetLastError();
  return CloseHandle(file.release()) ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

DWORD WriteFileAtomically(const std::u16string& path, const std::string& bytes) {
  // The temporary file lies beside the target, on the same volume, so the final move is a rename.
  const std::size_t separator = path.find_last_of(u"\\/:");
  const std::u16string folder = separator == std::u16string::npos ? u"." : path.substr(0, separator + 1);
  wchar_t temporary[MAX_PATH];
  if (!GetTempFileNameW(Wide(folder), L"qln", 0, temporary)) return GetLastError();
  DWORD status = WriteAndClose(temporary, bytes);
  if (status == ERROR_SUCCESS &&
      !MoveFileExW(temporary, Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    status = GetLastError();
  if (status != ERROR_SUCCESS) DeleteFileW(temporary);
  return status;
}

}  // namespace quellan::win32
