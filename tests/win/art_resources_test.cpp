// The launcher's pictures as resources: every skin PNG with its size and pixel
// format, the login frame bitmap and the program icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "test_support.h"

namespace {

const WORD kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);  // 2052

// The skin's pictures: every id the windows load, with the size they are drawn at.
struct PngCase {
  UINT id;
  uint32_t width;
  uint32_t height;
};

const PngCase kPngs[] = {
    {172, 1, 30},    {203, 203, 30}, {206, 92, 30}, {207, 28, 26}, {208, 28, 26}, {227, 28, 26}, {220, 28, 26},
    {213, 28, 26},   {228, 28, 26},  {221, 28, 26}, {217, 28, 26}, {229, 28, 26}, {209, 28, 26}, {210, 28, 26},
    {230, 28, 26},   {211, 59, 24},  {212, 59, 24}, {231, 59, 24}, {223, 97, 24}, {215, 97, 24}, {233, 97, 24},
    {224, 59, 24},   {214, 59, 24},  {234, 59, 24}, {226, 78, 24}, {219, 78, 24}, {236, 78, 24}, {252, 78, 24},
    {253, 78, 24},   {261, 78, 24},  {275, 1, 1},   {276, 23, 23}, {277, 23, 23}, {278, 23, 23}, {279, 23, 23},
    {304, 253, 106}, {314, 82, 34},  {313, 82, 34}, {312, 82, 34}, {311, 82, 34}, {316, 11, 10}, {319, 1210, 746},
    {320, 29, 30},   {321, 29, 30},  {322, 29, 30}, {323, 29, 30}, {324, 29, 30}, {325, 29, 30},
};

uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

class ArtResources : public LauncherImageTest {
 protected:
  // The bytes of one resource, empty when it is missing.
  std::string Bytes(LPCWSTR type, LPCWSTR name, WORD language = kChineseSimplified) {
    HRSRC found = ::FindResourceExW(module_, type, name, language);
    if (!found) return {};
    const void* data = ::LockResource(::LoadResource(module_, found));
    if (!data) return {};
    return std::string(static_cast<const char*>(data), ::SizeofResource(module_, found));
  }
};

TEST_F(ArtResources, EveryPngIsAnRgbaPngOfItsSize) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  for (const PngCase& c : kPngs) {
    SCOPED_TRACE("PNG " + std::to_string(c.id));
    const std::string png = Bytes(L"PNG", MAKEINTRESOURCEW(c.id));
    ASSERT_GE(png.size(), 33u) << "missing, too short, or not in language 2052";
    const auto* p = reinterpret_cast<const unsigned char*>(png.data());
    EXPECT_EQ(std::string(png, 0, 8), std::string(reinterpret_cast<const char*>(kSignature), 8));
    // The first chunk is IHDR: length 13, then width, height, bit depth, colour type.
    EXPECT_EQ(BigEndian32(p + 8), 13u);
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian32(p + 16), c.width);
    EXPECT_EQ(BigEndian32(p + 20), c.height);
    EXPECT_EQ(p[24], 8) << "bit depth";
    EXPECT_EQ(p[25], 6) << "colour type (truecolour with alpha)";
    EXPECT_EQ(p[28], 0) << "interlace";
  }
}

TEST_F(ArtResources, LoginFrameBitmapIsColourKeyedAbove24BitFace) {
  const std::string dib = Bytes(RT_BITMAP, MAKEINTRESOURCEW(318));
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER info;
  memcpy(&info, dib.data(), sizeof(info));
  EXPECT_EQ(info.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(info.biWidth, 690);
  EXPECT_EQ(info.biHeight, 513) << "bottom-up, 513 rows";
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(info.biCompression, static_cast<DWORD>(BI_RGB));

  // Rows are bottom-up, 4-byte aligned, blue-green-red.
  const size_t stride = (690 * 3 + 3) & ~size_t(3);
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER) + stride * 513);
  auto pixel = [&](int x, int y) {
    const auto* p =
        reinterpret_cast<const unsigned char*>(dib.data()) + sizeof(BITMAPINFOHEADER) + (512 - y) * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
  };
  const COLORREF key = RGB(0, 255, 0);
  // The pop-up's top 61 rows vanish through the colour key, except the two
  // round buttons (windows at x 605 and 633); the face below has no key pixel.
  const struct {
    int x, y;
    bool keyed;
  } probes[] = {
      {0, 0, true},      {300, 30, true},  {604, 10, true},   {689, 0, true}, {689, 60, true},
      {0, 60, true},     {619, 13, false}, {647, 13, false},  {0, 61, false}, {689, 61, false},
      {345, 300, false}, {0, 512, false},  {689, 512, false},
  };
  for (const auto& probe : probes) {
    EXPECT_EQ(pixel(probe.x, probe.y) == key, probe.keyed) << "(" << probe.x << ", " << probe.y << ")";
  }
  for (int y = 61; y < 513; ++y) {
    for (int x = 0; x < 690; ++x) ASSERT_NE(pixel(x, y), key) << "key colour below the strip at " << x << ", " << y;
  }
}

TEST_F(ArtResources, ProgramIconHasTheUsualSizesInFullColour) {
  const std::string group = Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(273));
  ASSERT_GE(group.size(), 6u);
  const auto* p = reinterpret_cast<const unsigned char*>(group.data());
  const unsigned type = p[2] | (p[3] << 8);
  const unsigned count = p[4] | (p[5] << 8);
  EXPECT_EQ(type, 1u);
  ASSERT_EQ(group.size(), 6 + 14 * size_t(count));

  std::set<int> sizes;
  for (unsigned k = 0; k < count; ++k) {
    // GRPICONDIRENTRY: width, height, colours, reserved, planes, bit count, bytes, id.
    const unsigned char* e = p + 6 + 14 * k;
    const int width = e[0] ? e[0] : 256;
    const unsigned bits = e[6] | (e[7] << 8);
    const unsigned id = e[12] | (e[13] << 8);
    sizes.insert(width);
    EXPECT_EQ(bits, 32u) << "icon image " << width;
    EXPECT_FALSE(Bytes(RT_ICON, MAKEINTRESOURCEW(id)).empty()) << "icon image " << width << " (id " << id << ")";
  }
  for (int wanted : {16, 32, 48}) EXPECT_EQ(sizes.count(wanted), 1u) << wanted;

  // The system picks and decodes each size the tray and the window ask for.
  for (int wanted : {16, 32, 48}) {
    SCOPED_TRACE(wanted);
    const int id = ::LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<char*>(group.data())), TRUE, wanted,
                                                 wanted, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0);
    std::string image = Bytes(RT_ICON, MAKEINTRESOURCEW(id));
    ASSERT_FALSE(image.empty());
    HICON icon = ::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(image.data()), DWORD(image.size()), TRUE,
                                            0x00030000, wanted, wanted, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP colour = {};
    ASSERT_NE(info.hbmColor, nullptr);
    ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, wanted);
    EXPECT_EQ(colour.bmHeight, wanted);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
  }
}

}  // namespace
