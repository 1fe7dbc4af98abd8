// Colour matrices as GDI+ applies them: a pixel's straight (not premultiplied)
// colour is the row vector (r, g, b, a, 1), each channel in 0..1; the result
// is that vector times the 5 x 5 matrix, each channel clamped to 0..1.
// Portable: no Windows headers.
#pragma once

struct ColorMatrix {
  float m[5][5];
};

struct ColorF {
  float r, g, b, a;
};

// The hover look of the image buttons: each colour channel times 1.05 plus
// 0.05, alpha unchanged. Single-precision constants, as GDI+ takes them.
inline constexpr ColorMatrix BrightenMatrix = {{
    {1.05f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.0f, 1.05f, 0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 1.05f, 0.0f, 0.0f},
    {0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
    {0.05f, 0.05f, 0.05f, 0.0f, 1.0f},
}};

// One pixel through `matrix`.
ColorF ApplyColorMatrix(const ColorMatrix& matrix, const ColorF& color);
