// quellan_layout DPI: the main window's controls as the window places them at DPI, one line each,
// "name left top width height" in pixels of the window's client area, for scripts that point at
// a control (scripts/screens).
#include <cstdio>
#include <cstdlib>

#include "ui/main/main_layout.h"

int main(int argc, char** argv) {
  using namespace quellan::mainwindow;
  const int dpi = argc == 2 ? std::atoi(argv[1]) : 0;
  if (dpi <= 0) return std::fprintf(stderr, "usage: quellan_layout DPI\n"), 2;
  const PixelBox frame = Pixels(MainControls()[RowIndex("fraSet")], dpi);
  for (const ControlRow& row : MainControls()) {
    const PixelBox box = Pixels(row, dpi);
    const int inFrame = row.parent == Parent::Frame;
    std::printf("%s %d %d %d %d\n", row.name, box.left + inFrame * frame.left, box.top + inFrame * frame.top, box.width,
                box.height);
  }
}
