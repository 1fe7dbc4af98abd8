#include "ui/color_matrix.h"

#include <gtest/gtest.h>

TEST(BrightenMatrix, RaisesColoursClampsAtOneAndKeepsAlpha) {
  const struct {
    ColorF in, out;
  } cases[] = {
      {{0.5f, 0.0f, 1.0f, 0.4f}, {0.575f, 0.05f, 1.0f, 0.4f}},  // blue is clamped
      {{0.0f, 0.0f, 0.0f, 0.0f}, {0.05f, 0.05f, 0.05f, 0.0f}},  // transparent stays transparent
      {{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}},
      {{0.2f, 0.9f, 0.6f, 1.0f}, {0.26f, 0.995f, 0.68f, 1.0f}},
  };
  for (const auto& c : cases) {
    const ColorF got = ApplyColorMatrix(BrightenMatrix, c.in);
    SCOPED_TRACE(testing::Message() << "in: " << c.in.r << ", " << c.in.g << ", " << c.in.b << ", " << c.in.a);
    EXPECT_NEAR(got.r, c.out.r, 1e-6f);
    EXPECT_NEAR(got.g, c.out.g, 1e-6f);
    EXPECT_NEAR(got.b, c.out.b, 1e-6f);
    EXPECT_FLOAT_EQ(got.a, c.out.a);
  }
}

TEST(ApplyColorMatrix, RowVectorTimesMatrix) {
  // A matrix that swaps red and blue and takes alpha from green shows which
  // index is the row (input channel) and which the column (output channel).
  ColorMatrix swap = {};
  swap.m[0][2] = 1.0f;   // red in -> blue out
  swap.m[2][0] = 1.0f;   // blue in -> red out
  swap.m[1][3] = 1.0f;   // green in -> alpha out
  swap.m[4][1] = 0.25f;  // constant green
  const ColorF got = ApplyColorMatrix(swap, {0.1f, 0.7f, 0.3f, 0.9f});
  EXPECT_FLOAT_EQ(got.r, 0.3f);
  EXPECT_FLOAT_EQ(got.g, 0.25f);
  EXPECT_FLOAT_EQ(got.b, 0.1f);
  EXPECT_FLOAT_EQ(got.a, 0.7f);
}
