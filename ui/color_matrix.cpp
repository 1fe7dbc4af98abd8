#include "ui/color_matrix.h"

#include <algorithm>

ColorF ApplyColorMatrix(const ColorMatrix& matrix, const ColorF& color) {
  const float in[5] = {color.r, color.g, color.b, color.a, 1.0f};
  float out[4];
  for (int column = 0; column < 4; ++column) {
    float sum = 0.0f;
    for (int row = 0; row < 5; ++row) sum += in[row] * matrix.m[row][column];
    out[column] = std::clamp(sum, 0.0f, 1.0f);
  }
  return ColorF{out[0], out[1], out[2], out[3]};
}
