#include "ui/forms/container.h"

namespace quellan::forms {

HWND NotifyingChild(HWND container, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lp);  // null for menus and accelerators
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lp);
      return item->CtlType == ODT_MENU ? nullptr : GetDlgItem(container, static_cast<int>(wp));
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return reinterpret_cast<HWND>(lp);
    default:
      return nullptr;
  }
}

bool HandleContainerMessage(HWND container, HBRUSH back, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(container, &client);
      FillRect(reinterpret_cast<HDC>(wp), &client, back);
      result = 1;
      return true;
    }
    default:
      break;
  }
  HWND child = NotifyingChild(container, msg, wp, lp);
  if (!child || GetParent(child) != container) return false;
  result = SendMessageW(child, kReflectBase + msg, wp, lp);
  // A control that does not handle the reflected message answers 0; the container then gives
  // the platform's answer.
  return result != 0 || msg == WM_COMMAND || msg == WM_DRAWITEM;
}

void PaintParentBackground(HWND hwnd, HDC dc) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(hwnd, parent, &origin, 1);
  POINT previous;
  OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace quellan::forms
