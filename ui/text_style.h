// How a window draws one of its texts, and the fitting of a text into its
// rectangle. Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// A rectangle in pixels with fractional coordinates, as text layout uses.
struct LayoutRect {
  float x, y, width, height;
};

enum class TextAlign { Near, Center, Far };
enum class TextTrimming { None, EllipsisCharacter };

// A text's look: the font (family name, size in pixels, bold or regular), its
// colour as 32-bit ARGB, the layout rectangle, the horizontal alignment and
// what happens to text that does not fit. Lines wrap at word boundaries and
// start at the top of the rectangle.
struct TextStyle {
  const wchar_t* family;
  float sizePixels;
  bool bold;
  std::uint32_t argb;
  LayoutRect layout;
  TextAlign align;
  TextTrimming trimming;
};

// The text to draw so that `text` fits its rectangle, `fits` telling whether
// a candidate does: `text` itself when it fits; otherwise the longest start of
// it, without trailing white space, followed by an ellipsis (U+2026) that
// fits; the ellipsis alone when nothing else does.
std::wstring FitTextWithEllipsis(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits);
