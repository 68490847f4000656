#include "win32/atomic_file.h"

#include <vector>

namespace quellan::win32 {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A path the export may write: a plain file in a folder on a drive or share. Refused are stream
// names and drive-relative paths (any ':' but a drive's), the device namespaces ("\\.\", "\\?\"),
// a device's reserved name as the file name (NUL.reg is the device NUL), and shortcuts, which a
// user would expect to be followed rather than replaced.
bool IsPlainFilePath(const std::wstring& path) {
  if (path.empty() || IsSeparator(path.back())) return false;
  if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'.' || path[2] == L'?'))
    return false;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (path[i] == L':' && !(i == 1 && IsCharAlphaW(path[0]) && path.size() > 2 && IsSeparator(path[2]))) return false;
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  std::wstring name = path.substr(start);
  CharUpperW(name.data());
  if (name == L"." || name == L".." || (name.size() >= 4 && name.compare(name.size() - 4, 4, L".LNK") == 0))
    return false;
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
    if (base == device) return false;
  return !(base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'0' && base[3] <= L'9');
}

}  // namespace

FileReplacement::FileReplacement(const std::u16string& path) {
  const std::wstring target(path.begin(), path.end());
  if (!IsPlainFilePath(target)) {
    m_status = ERROR_INVALID_NAME;
    return;
  }
  std::size_t separator = target.size();
  while (separator > 0 && !IsSeparator(target[separator - 1])) --separator;
  const std::wstring folder = separator == 0 ? L"." : target.substr(0, separator);
  m_folder.reset(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (m_folder.get() == INVALID_HANDLE_VALUE) {
    m_folder.release();
    m_status = GetLastError();
    return;
  }
  m_target.resize(GetFullPathNameW(target.c_str(), 0, nullptr, nullptr));
  m_target.resize(GetFullPathNameW(target.c_str(), static_cast<DWORD>(m_target.size()), m_target.data(), nullptr));
  // A name no other file has: created new, never opened if it exists (as a link planted there would).
  LARGE_INTEGER seed{};
  QueryPerformanceCounter(&seed);
  for (DWORD attempt = 0; attempt < 16; ++attempt) {
    wchar_t name[32];
    wsprintfW(name, L"~qln%08lx.tmp",
              static_cast<unsigned long>(seed.LowPart ^ (GetCurrentProcessId() << 16) ^ (attempt * 0x9E3779B9u)));
    const HANDLE file = CreateFileW((folder + (separator == 0 ? L"\\" : L"") + name).c_str(), GENERIC_WRITE | DELETE, 0,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      m_file.reset(file);
      m_status = GetFileType(file) == FILE_TYPE_DISK ? ERROR_SUCCESS : ERROR_INVALID_NAME;
      return;
    }
    m_status = GetLastError();
    if (m_status != ERROR_FILE_EXISTS && m_status != ERROR_ALREADY_EXISTS) return;
  }
}

FileReplacement::~FileReplacement() {
  if (!m_file) return;
  FILE_DISPOSITION_INFO dispose{TRUE};
  SetFileInformationByHandle(m_file.get(), FileDispositionInfo, &dispose, sizeof dispose);
}

DWORD FileReplacement::Commit(const std::string& bytes) {
  if (m_status != ERROR_SUCCESS) return m_status;
  if (bytes.size() > MAXDWORD) return m_status = ERROR_FILE_TOO_LARGE;
  const auto size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  if (!WriteFile(m_file.get(), bytes.data(), size, &written, nullptr)) return m_status = GetLastError();
  if (written != size) return m_status = ERROR_WRITE_FAULT;
  if (!FlushFileBuffers(m_file.get())) return m_status = GetLastError();
  // FILE_RENAME_INFO ends in the name, which runs past the structure's end.
  const DWORD nameBytes = static_cast<DWORD>(m_target.size() * sizeof(wchar_t));
  std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes, 0);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->FileNameLength = nameBytes;
  m_target.copy(rename->FileName, m_target.size());
  if (!SetFileInformationByHandle(m_file.get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
    return m_status = GetLastError();
  m_file.reset();
  return ERROR_SUCCESS;
}

DWORD WriteFileAtomically(const std::u16string& path, const std::string& bytes) {
  return FileReplacement(path).Commit(bytes);
}

}  // namespace quellan::win32
