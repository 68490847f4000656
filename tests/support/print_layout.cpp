// quellan_layout DPI: the main window's controls as the window places them at DPI, one line each,
// "name left top width height" in pixels of the window's client area, for scripts that point at
// a control (scripts/screens).
#include <cstdio>
#include <cstdlib>

#include "ui/main/main_layout.h"

int main(int argc, char** argv) {
  const int dpi = argc == 2 ? std::atoi(argv[1]) : 0;
  if (dpi <= 0) {
    std::fprintf(stderr, "usage: quellan_layout DPI\n");
    return 2;
  }
  using namespace quellan::mainwindow;
  const PixelBox frame = Pixels(MainControls()[RowIndex("fraSet")], dpi);
  for (const ControlSpec& row : MainControls()) {
    const PixelBox box = Pixels(row, dpi);
    const bool inFrame = row.parent == Parent::Frame;
    std::printf("%s %d %d %d %d\n", row.name, box.left + (inFrame ? frame.left : 0),
                box.top + (inFrame ? frame.top : 0), box.width, box.height);
  }
  return 0;
}
