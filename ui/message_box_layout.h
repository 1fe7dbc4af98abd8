// Where the question box puts its buttons and texts, in client pixels, and
// how it draws the texts. Portable: no Windows headers.
#pragma once

#include "ui/text_style.h"

// A rectangle in whole pixels: top-left corner and size.
struct PixelRect {
  int x, y, width, height;
};

struct MessageBoxLayout {
  PixelRect closeButton;   // the small cross, near the top-right corner
  PixelRect okButton;      // the OK plate
  PixelRect cancelButton;  // the Cancel plate
  LayoutRect title;
  LayoutRect message;
};

// The box's client size, which is also the size of its face picture.
inline constexpr int kMessageBoxWidth = 253;
inline constexpr int kMessageBoxHeight = 106;

// The layout for a client area of the given size: the cross hangs from the
// right edge, the plates stand on the bottom edge, the texts keep their place.
MessageBoxLayout LayoutMessageBox(int clientWidth, int clientHeight);

// The title and the question: pale gold, centred, cut with an ellipsis.
TextStyle MessageBoxTitleStyle();
TextStyle MessageBoxMessageStyle();
