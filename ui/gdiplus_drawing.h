// GDI+ drawing in the skinned windows' style: pictures at their natural
// pixel size, texts as ui/text_style.h describes them.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "ui/color_matrix.h"
#include "ui/text_style.h"

// Draws `image` at its natural size with its top-left corner at (0, 0),
// source and destination rectangles in pixels, blended over what is there;
// through `matrix` when one is given. Nothing for an image that did not decode.
void DrawImageAtNaturalSize(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const ColorMatrix* matrix = nullptr);

// A font of `family` at `sizePixels` (UnitPixel) and `style` (FontStyle*);
// when the family is not installed or no font can be made from it, the same
// size and style of the generic sans-serif family. None only when even that
// fails.
std::unique_ptr<Gdiplus::Font> MakeFont(const wchar_t* family, float sizePixels, int style);

// Draws the whole of `text` in `style`: wrapped at word boundaries inside the
// layout rectangle from its top, aligned as asked and, with ellipsis
// trimming, cut after the last character that fits whole lines, followed by
// an ellipsis. Nothing is drawn outside the rectangle.
void DrawStyledText(Gdiplus::Graphics& graphics, const std::wstring& text, const TextStyle& style);
