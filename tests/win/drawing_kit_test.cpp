// The drawing kit off screen: PNG resources into GDI+ pictures, the
// off-screen context, pictures and texts drawn on memory bitmaps.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kit_test_support.h"
#include "ui/gdiplus_drawing.h"
#include "ui/message_box_layout.h"
#include "ui/my_mem_dc.h"
#include "ui/png_resource.h"

namespace {

const testing::Environment* const kPlatform = testing::AddGlobalTestEnvironment(new KitPlatformEnvironment);

// The test's own PNG resources (fixtures/kit_fixtures.rc).
constexpr WORD kPixelsPng = 9001;  // 3 x 2, the pixels below
constexpr WORD kNotAPng = 9002;
constexpr WORD kEmptyPng = 9003;
constexpr WORD kNoResource = 9999;
constexpr std::uint32_t kPixels[] = {0xFFFF0000, 0x660080FF, 0x00000000, 0xFF8000FF, 0xFFFFFFFF, 0xCC0AC81E};
// The launcher's message-box face: the art is 253 x 106.
constexpr WORD kFacePng = 304;

bool IsFreed(HGLOBAL block) { return ::GlobalFlags(block) == GMEM_INVALID_HANDLE; }

void DrawAtNaturalSize(DibCanvas& canvas, Gdiplus::Image* image, const ColorMatrix* matrix = nullptr) {
  Gdiplus::Graphics graphics(canvas.dc());
  DrawImageAtNaturalSize(graphics, image, matrix);
}

}  // namespace

TEST(LoadPngImage, NoneWithoutBytesOfTypePng) {
  // Missing, empty, and ids that exist with another type (the icon, the bitmap).
  for (WORD id : {kNoResource, kEmptyPng, WORD{273}, WORD{318}}) EXPECT_FALSE(LoadPngImage(id)) << "id " << id;
}

TEST(LoadPngImage, DrawsAtNaturalSizeForAsLongAsItIsKept) {
  PngImage kept;
  {
    // The image moves to its keeper; the bytes it reads go with it.
    PngImage loaded = LoadPngImage(kPixelsPng);
    ASSERT_TRUE(loaded);
    kept = std::move(loaded);
  }
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->GetWidth(), 3u);
  EXPECT_EQ(kept->GetHeight(), 2u);
  DibCanvas canvas(5, 4, 0x000000);
  DrawAtNaturalSize(canvas, kept.get());
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const std::uint32_t want = x < 3 && y < 2 ? Over(kPixels[y * 3 + x], 0x000000) : 0x000000;
      EXPECT_LE(gui::ColourDistance(canvas.At(x, y), want), 2) << "pixel " << x << "," << y;
    }
  }

  const PngImage face = LoadPngImage(kFacePng);
  ASSERT_TRUE(face);
  EXPECT_EQ(face->GetWidth(), 253u);
  EXPECT_EQ(face->GetHeight(), 106u);
}

TEST(LoadPngImage, UndecodableBytesGiveAnEmptyImageThatDrawsNothing) {
  const PngImage image = LoadPngImage(kNotAPng);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetWidth(), 0u);
  EXPECT_EQ(image->GetHeight(), 0u);
  DibCanvas canvas(4, 4, 0x123456);
  DrawAtNaturalSize(canvas, image.get());
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, y), 0x123456u);
  }
}

TEST(CGdiPlusBitmapResource, LoadedHolderHasTheDecodedPictureAndLockedBytes) {
  CGdiPlusBitmapResource holder;
  ASSERT_TRUE(holder.LoadFromResource(kPixelsPng));
  ASSERT_NE(holder.GetBitmap(), nullptr);
  EXPECT_EQ(holder.GetBitmap()->GetLastStatus(), Gdiplus::Ok);
  const std::vector<std::uint32_t> pixels = StraightPixels(*holder.GetBitmap());
  ASSERT_EQ(pixels.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    // A clear pixel's colour is whatever the decoder makes of it.
    if (kPixels[i] >> 24) {
      EXPECT_EQ(pixels[i], kPixels[i]) << "pixel " << i;
    }
  }
  ASSERT_NE(holder.GetResourceCopy(), nullptr);
  EXPECT_GE(::GlobalFlags(holder.GetResourceCopy()) & GMEM_LOCKCOUNT, 1u);
}

TEST(CGdiPlusBitmapResource, WhatIsNoPictureLeavesTheHolderEmpty) {
  for (WORD id : {kNotAPng, kEmptyPng, kNoResource}) {
    SCOPED_TRACE(testing::Message() << "id " << id);
    // A loaded holder first: a failed load must also let go of that.
    CGdiPlusBitmapResource holder;
    ASSERT_TRUE(holder.LoadFromResource(kPixelsPng));
    const HGLOBAL first = holder.GetResourceCopy();
    EXPECT_FALSE(holder.LoadFromResource(id));
    EXPECT_EQ(holder.GetBitmap(), nullptr);
    EXPECT_EQ(holder.GetResourceCopy(), nullptr);
    EXPECT_TRUE(IsFreed(first));
  }
}

TEST(CGdiPlusBitmapResource, LoadingAgainClearingAndDestroyingFreeThePicture) {
  HGLOBAL last = nullptr;
  {
    CGdiPlusBitmapResource holder;
    ASSERT_TRUE(holder.LoadFromResource(kPixelsPng));
    const HGLOBAL first = holder.GetResourceCopy();
    ASSERT_TRUE(holder.LoadFromResource(kFacePng));
    EXPECT_EQ(holder.GetBitmap()->GetWidth(), 253u);
    // The block of the first load is gone (or was handed out again).
    EXPECT_TRUE(holder.GetResourceCopy() == first || IsFreed(first));

    holder.Clear();
    EXPECT_EQ(holder.GetBitmap(), nullptr);
    EXPECT_EQ(holder.GetResourceCopy(), nullptr);

    ASSERT_TRUE(holder.LoadFromResource(kPixelsPng));
    last = holder.GetResourceCopy();
  }
  EXPECT_TRUE(IsFreed(last));
}

TEST(CMyMemDC, DeliversItsAreaAndNothingElse) {
  constexpr std::uint32_t kTarget = 0x203040, kDrawn = 0xC0FFEE, kMark = 0xFF0000;
  const struct {
    const char* what;
    RECT area;      // given to the context
    RECT clip;      // the target's clipping, or all zeros for none
    RECT expected;  // what the context covers
  } cases[] = {
      {"all zeros, no clipping: the whole target", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 40, 30}},
      {"all zeros: the clipping box", {0, 0, 0, 0}, {5, 4, 25, 20}, {5, 4, 25, 20}},
      {"a given area", {10, 8, 20, 15}, {0, 0, 0, 0}, {10, 8, 20, 15}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DibCanvas target(40, 30, kTarget);
    if (!IsEmpty(c.clip)) ::IntersectClipRect(target.dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    {
      CMyMemDC memory(target.dc(), c.area);
      const RECT& area = memory.GetArea();
      EXPECT_EQ(area.left, c.expected.left);
      EXPECT_EQ(area.top, c.expected.top);
      EXPECT_EQ(area.right, c.expected.right);
      EXPECT_EQ(area.bottom, c.expected.bottom);
      // Paint far beyond the area, then mark one pixel in target coordinates.
      UniqueGdiObject brush(::CreateSolidBrush(RGB(0xC0, 0xFF, 0xEE)));
      const RECT everything = {-100, -100, 200, 200};
      ::FillRect(memory, &everything, static_cast<HBRUSH>(brush.get()));
      ::SetPixelV(memory, c.expected.left + 1, c.expected.top + 2, RGB(0xFF, 0, 0));
      // Nothing reaches the target before the context goes away.
      EXPECT_EQ(target.At(c.expected.left + 1, c.expected.top + 1), kTarget);
    }
    ::SelectClipRgn(target.dc(), nullptr);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool inside =
            x >= c.expected.left && x < c.expected.right && y >= c.expected.top && y < c.expected.bottom;
        const bool mark = x == c.expected.left + 1 && y == c.expected.top + 2;
        const std::uint32_t want = mark ? kMark : inside ? kDrawn : kTarget;
        ASSERT_EQ(target.At(x, y), want) << "pixel " << x << "," << y;
      }
    }
  }
}

TEST(DrawImageAtNaturalSize, BrightenMatrixRaisesColoursAndKeepsAlpha) {
  CGdiPlusBitmapResource holder;
  ASSERT_TRUE(holder.LoadFromResource(kPixelsPng));
  constexpr std::uint32_t kBackground = 0x405060;
  DibCanvas canvas(3, 2, kBackground);
  DrawAtNaturalSize(canvas, holder.GetBitmap(), &BrightenMatrix);
  for (int i = 0; i < 6; ++i) {
    EXPECT_LE(gui::ColourDistance(canvas.At(i % 3, i / 3), Over(Brightened(kPixels[i]), kBackground)), 2)
        << "pixel " << i;
  }
}

namespace {

// `text` drawn in `style` on a black canvas, and its ink.
struct DrawnText {
  gui::Picture picture;
  InkMask ink;
};

DrawnText Draw(const std::wstring& text, const TextStyle& style) {
  DibCanvas canvas(kMessageBoxWidth, kMessageBoxHeight, 0x000000);
  {
    Gdiplus::Graphics graphics(canvas.dc());
    DrawStyledText(graphics, text, style);
  }
  const DibCanvas blank(kMessageBoxWidth, kMessageBoxHeight, 0x000000);
  return DrawnText{canvas.Snapshot(), InkMask(canvas.Snapshot(), blank.Snapshot(), 40)};
}

RECT ToRect(const LayoutRect& layout) {
  return RECT{static_cast<LONG>(layout.x), static_cast<LONG>(layout.y), static_cast<LONG>(layout.x + layout.width),
              static_cast<LONG>(layout.y + layout.height)};
}

TextStyle Styled(const wchar_t* family, float size, TextAlign align) {
  return TextStyle{family, size, false, 0xFFFFFFFF, {20, 10, 200, 30}, align, TextTrimming::EllipsisCharacter};
}

}  // namespace

TEST(DrawStyledText, AlignsInsideTheRectangle) {
  const struct {
    TextAlign align;
    double where;  // the ink's left edge, centre or right edge
  } cases[] = {{TextAlign::Near, 20}, {TextAlign::Center, 120}, {TextAlign::Far, 220}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "alignment " << static_cast<int>(c.align));
    const TextStyle style = Styled(L"arial", 11, c.align);
    const DrawnText drawn = Draw(L"Ziradud", style);
    const RECT ink = drawn.ink.Bounds(ToRect(style.layout));
    ASSERT_FALSE(IsEmpty(ink));
    EXPECT_LT(ink.bottom - ink.top, 14) << "one line";
    const double got = c.align == TextAlign::Near     ? ink.left
                       : c.align == TextAlign::Center ? (ink.left + ink.right) / 2.0
                                                      : ink.right;
    EXPECT_NEAR(got, c.where, 4.0);
  }
}

TEST(DrawStyledText, WhatDoesNotFitEndsInAnEllipsisInsideTheRectangle) {
  const struct {
    const char* what;
    TextStyle style;
    std::wstring text;
    bool cut;
  } cases[] = {
      {"message", MessageBoxMessageStyle(),
       L"The update could not be checked because the version server did not answer in time; "
       L"please try again later or ask the portal for help.",
       true},
      {"short message", MessageBoxMessageStyle(), L"Exit Ziradud now?", false},
      {"title", MessageBoxTitleStyle(), L"是否退出当前区服重新选择新区服", true},
      {"short title", MessageBoxTitleStyle(), L"关闭提示", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const DrawnText drawn = Draw(c.text, c.style);
    const RECT box = ToRect(c.style.layout);
    const RECT all = {0, 0, kMessageBoxWidth, kMessageBoxHeight};
    EXPECT_GT(drawn.ink.Count(box), 0);
    EXPECT_EQ(drawn.ink.Count(all), drawn.ink.Count(box)) << "ink outside the rectangle";
    EXPECT_EQ(drawn.ink.EndsWithEllipsis(box), c.cut);
  }
}

TEST(DrawStyledText, DrawsInItsColourWithAFallbackFont) {
  for (const wchar_t* family : {L"微软雅黑", L"arial", L"No Such Family Raruva"}) {
    SCOPED_TRACE(testing::Message() << "family " << testing::PrintToString(std::wstring(family)));
    TextStyle style = MessageBoxTitleStyle();
    style.family = family;
    const DrawnText drawn = Draw(L"关闭提示 Ziradud", style);
    // Antialiased edges are darker; the strongest ink is the colour itself.
    int best = 255;
    for (int y = 0; y < drawn.picture.height(); ++y) {
      for (int x = 0; x < drawn.picture.width(); ++x) {
        best = std::min(best, gui::ColourDistance(drawn.picture.At(x, y), 0xDAC29D));
      }
    }
    EXPECT_LE(best, 6);
  }
  const std::unique_ptr<Gdiplus::Font> fallback = MakeFont(L"No Such Family Raruva", 11, Gdiplus::FontStyleRegular);
  ASSERT_NE(fallback, nullptr);
  Gdiplus::FontFamily got, generic;
  fallback->GetFamily(&got);
  wchar_t gotName[LF_FACESIZE] = L"", genericName[LF_FACESIZE] = L"";
  got.GetFamilyName(gotName);
  Gdiplus::FontFamily::GenericSansSerif()->GetFamilyName(genericName);
  EXPECT_STREQ(gotName, genericName);
}
