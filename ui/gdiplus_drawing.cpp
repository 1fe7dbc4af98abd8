#include "ui/gdiplus_drawing.h"

namespace {

Gdiplus::StringAlignment ToAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Near:
      return Gdiplus::StringAlignmentNear;
    case TextAlign::Center:
      return Gdiplus::StringAlignmentCenter;
    case TextAlign::Far:
      return Gdiplus::StringAlignmentFar;
  }
  return Gdiplus::StringAlignmentNear;
}

Gdiplus::RectF ToRectF(const LayoutRect& rect) { return Gdiplus::RectF(rect.x, rect.y, rect.width, rect.height); }

Gdiplus::ColorMatrix ToGdiplus(const ColorMatrix& matrix) {
  Gdiplus::ColorMatrix out;
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 5; ++column) out.m[row][column] = matrix.m[row][column];
  }
  return out;
}

}  // namespace

void DrawImageAtNaturalSize(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const ColorMatrix* matrix) {
  if (!image) return;
  const Gdiplus::REAL width = static_cast<Gdiplus::REAL>(image->GetWidth());
  const Gdiplus::REAL height = static_cast<Gdiplus::REAL>(image->GetHeight());
  const Gdiplus::RectF destination(0.0f, 0.0f, width, height);
  if (!matrix) {
    graphics.DrawImage(image, destination, 0.0f, 0.0f, width, height, Gdiplus::UnitPixel);
    return;
  }
  const Gdiplus::ColorMatrix gdiplusMatrix = ToGdiplus(*matrix);
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&gdiplusMatrix, Gdiplus::ColorMatrixFlagsDefault, Gdiplus::ColorAdjustTypeDefault);
  graphics.DrawImage(image, destination, 0.0f, 0.0f, width, height, Gdiplus::UnitPixel, &attributes);
}

std::unique_ptr<Gdiplus::Font> MakeFont(const wchar_t* family, float sizePixels, int style) {
  auto font = std::make_unique<Gdiplus::Font>(family, sizePixels, style, Gdiplus::UnitPixel);
  if (font->GetLastStatus() == Gdiplus::Ok) return font;
  const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
  if (!generic) return nullptr;
  font = std::make_unique<Gdiplus::Font>(generic, sizePixels, style, Gdiplus::UnitPixel);
  if (font->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return font;
}

void DrawStyledText(Gdiplus::Graphics& graphics, const std::wstring& text, const TextStyle& style) {
  const std::unique_ptr<Gdiplus::Font> font =
      MakeFont(style.family, style.sizePixels, style.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular);
  if (!font) return;
  Gdiplus::StringFormat format(0, LANG_NEUTRAL);
  format.SetAlignment(ToAlignment(style.align));
  format.SetTrimming(style.trimming == TextTrimming::EllipsisCharacter ? Gdiplus::StringTrimmingEllipsisCharacter
                                                                       : Gdiplus::StringTrimmingNone);
  const Gdiplus::RectF layout = ToRectF(style.layout);

  // Not every GDI+ trims or clips at the rectangle's bottom edge, so the text
  // is cut to whole lines here: a candidate fits when its wrapped lines,
  // measured without a height limit, are no taller than the rectangle.
  std::wstring shown = text;
  if (style.trimming == TextTrimming::EllipsisCharacter) {
    const Gdiplus::RectF unbounded(0.0f, 0.0f, layout.Width, 1.0e6f);
    shown = FitTextWithEllipsis(text, [&](const std::wstring& candidate) {
      Gdiplus::RectF bounds;
      graphics.MeasureString(candidate.c_str(), -1, font.get(), unbounded, &format, &bounds);
      return bounds.Height <= layout.Height + 0.5f;
    });
  }

  Gdiplus::SolidBrush brush{Gdiplus::Color(static_cast<Gdiplus::ARGB>(style.argb))};
  const Gdiplus::GraphicsState state = graphics.Save();
  graphics.SetClip(layout, Gdiplus::CombineModeIntersect);
  graphics.DrawString(shown.c_str(), -1, font.get(), layout, &format, &brush);
  graphics.Restore(state);
}
