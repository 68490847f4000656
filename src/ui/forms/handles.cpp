#include "ui/forms/handles.h"

namespace quellan::forms {

namespace {
long g_live = 0;  // the GUI runs on one thread
}

long GdiCounter::Live() { return g_live; }
void GdiCounter::Created() { ++g_live; }
void GdiCounter::Deleted() { --g_live; }

namespace detail {
void DeleteCountedObject(HGDIOBJ object) {
  DeleteObject(object);
  GdiCounter::Deleted();
}
void DeleteCountedDc(HDC dc) {
  DeleteDC(dc);
  GdiCounter::Deleted();
}
}  // namespace detail

MemoryDc::MemoryDc(HDC compatibleWith) {
  HDC dc = CreateCompatibleDC(compatibleWith);
  if (dc) {
    GdiCounter::Created();
    m_dc.reset(dc);
  }
}

}  // namespace quellan::forms
