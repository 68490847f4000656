#include "ui/forms/persistent_surface.h"

#include <algorithm>

namespace quellan::forms {

PersistentSurface::~PersistentSurface() {
  // A bitmap still selected into a DC cannot be deleted.
  if (m_dc) SelectObject(m_dc.get(), m_originalBitmap);
}

void PersistentSurface::Attach(HWND hwnd, COLORREF back) {
  m_hwnd = hwnd;
  m_back = back;
  RECT client{};
  GetClientRect(hwnd, &client);
  Resize(client.right - client.left, client.bottom - client.top);
}

void PersistentSurface::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (m_dc && width == m_width && height == m_height) return;
  win32::WindowDc screen(m_hwnd);
  win32::MemoryDc dc(screen.get());
  win32::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  HGDIOBJ original = SelectObject(dc.get(), bitmap.get());
  RECT all{0, 0, width, height};
  win32::Brush back(CreateSolidBrush(m_back));
  FillRect(dc.get(), &all, back.get());
  if (m_dc) {
    BitBlt(dc.get(), 0, 0, std::min(width, m_width), std::min(height, m_height), m_dc.get(), 0, 0, SRCCOPY);
    SelectObject(m_dc.get(), m_originalBitmap);  // release the old bitmap before it is deleted
  }
  m_dc = std::move(dc);
  m_bitmap = std::move(bitmap);
  m_originalBitmap = original;
  m_width = width;
  m_height = height;
}

void PersistentSurface::Clear() {
  RECT all{0, 0, m_width, m_height};
  win32::Brush back(CreateSolidBrush(m_back));
  FillRect(m_dc.get(), &all, back.get());
  Invalidate();
}

void PersistentSurface::Invalidate() const {
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void PersistentSurface::Paint() const {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(m_hwnd, &ps);
  const RECT& r = ps.rcPaint;
  if (m_dc) BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, m_dc.get(), r.left, r.top, SRCCOPY);
  EndPaint(m_hwnd, &ps);
}

}  // namespace quellan::forms
