#pragma once
// A window's persistent picture: an off-screen bitmap the size of the client area. Drawing goes
// into the bitmap, and the window repaints itself from it, so a picture survives being covered.
#include <windows.h>

#include "win32/handles.h"

namespace quellan::forms {

class PersistentSurface {
 public:
  PersistentSurface() = default;
  ~PersistentSurface();
  PersistentSurface(const PersistentSurface&) = delete;
  PersistentSurface& operator=(const PersistentSurface&) = delete;

  // Sizes the image to the window's client area and fills it with the back colour.
  void Attach(HWND hwnd, COLORREF back);
  // Gives the image a new size; what fits of the old picture is kept, the rest is back colour.
  void Resize(int width, int height);

  HDC hdc() const { return m_dc.get(); }
  void SetBackColour(COLORREF back) { m_back = back; }

  // Fills the whole image with the back colour and marks the window for repainting.
  void Clear();
  // Marks the whole window for repainting from the image.
  void Invalidate() const;
  // Handles WM_PAINT: copies the damaged part of the image to the window.
  void Paint() const;

 private:
  HWND m_hwnd = nullptr;
  win32::MemoryDc m_dc;
  win32::Bitmap m_bitmap;
  HGDIOBJ m_originalBitmap = nullptr;
  int m_width = 0;
  int m_height = 0;
  COLORREF m_back = RGB(255, 255, 255);
};

}  // namespace quellan::forms
