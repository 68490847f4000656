#include "win32/handles.h"

namespace quellan::win32 {

namespace {
long g_live = 0;  // the GUI runs on one thread
}

long GdiCounter::Live() { return g_live; }
void GdiCounter::Created() { ++g_live; }
void GdiCounter::Deleted() { --g_live; }

void DeleteCountedObject(HGDIOBJ object) {
  DeleteObject(object);
  GdiCounter::Deleted();
}

void DeleteCountedDc(HDC dc) {
  DeleteDC(dc);
  GdiCounter::Deleted();
}

MemoryDc::MemoryDc(HDC compatibleWith) {
  if (HDC dc = CreateCompatibleDC(compatibleWith)) {
    GdiCounter::Created();
    m_dc.reset(dc);
  }
}

}  // namespace quellan::win32
