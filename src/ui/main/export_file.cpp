#include "ui/main/export_file.h"

#include <commdlg.h>

#include <string>

#include "policy/reg_file.h"
#include "win32/atomic_file.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace quellan::mainwindow {

void ExportRegFile(HWND owner, policy::RegistryApi& registry, const policy::AutorunTicks& ticks) {
  // comdlg32 is loaded at the first export rather than at start-up: most runs never export.
  using GetSaveFileNameWFn = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto getSaveFileName =
      win32::EntryPoint<GetSaveFileNameWFn>(win32::LoadSystemLibrary(L"comdlg32.dll"), "GetSaveFileNameW");
  if (!getSaveFileName) return;
  std::u16string path = u"Quellan AutoRun.reg";
  path.resize(32768);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Registration files (*.reg)\0*.reg\0";
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(path.data());
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = L"reg";
  // A shortcut chosen is the file chosen: its target is not written through it.
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NODEREFERENCELINKS;
  if (!getSaveFileName(&dialog)) return;
  path.resize(path.find(u'\0'));
  const DWORD status = win32::WriteFileAtomically(
      path, policy::RegFileBytes(policy::SaveValues(registry, ticks), policy::ReadAutoplaySwitches(registry)));
  if (status == ERROR_SUCCESS) return;
  const std::u16string text = policy::ExportFailedText(path, registry.ErrorText(static_cast<std::int32_t>(status)));
  MessageBoxW(owner, win32::Wide(text), L"Quellan!!!", MB_ICONWARNING);
}

}  // namespace quellan::mainwindow
