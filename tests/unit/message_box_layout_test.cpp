#include "ui/message_box_layout.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const PixelRect& got, const PixelRect& want, const char* what) {
  EXPECT_EQ(got.x, want.x) << what;
  EXPECT_EQ(got.y, want.y) << what;
  EXPECT_EQ(got.width, want.width) << what;
  EXPECT_EQ(got.height, want.height) << what;
}

void ExpectRect(const LayoutRect& got, const LayoutRect& want, const char* what) {
  EXPECT_FLOAT_EQ(got.x, want.x) << what;
  EXPECT_FLOAT_EQ(got.y, want.y) << what;
  EXPECT_FLOAT_EQ(got.width, want.width) << what;
  EXPECT_FLOAT_EQ(got.height, want.height) << what;
}

}  // namespace

TEST(LayoutMessageBox, ButtonsFollowTheRightAndBottomEdgesTextsStay) {
  const struct {
    int width, height;
    PixelRect close, ok, cancel;
  } cases[] = {
      // The box's own client size.
      {253, 106, {228, 10, 28, 26}, {45, 61, 82, 34}, {137, 61, 82, 34}},
      // A client area of another size moves the cross and the plates only.
      {300, 150, {275, 10, 28, 26}, {45, 105, 82, 34}, {137, 105, 82, 34}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "client " << c.width << " x " << c.height);
    const MessageBoxLayout layout = LayoutMessageBox(c.width, c.height);
    ExpectRect(layout.closeButton, c.close, "close");
    ExpectRect(layout.okButton, c.ok, "ok");
    ExpectRect(layout.cancelButton, c.cancel, "cancel");
    ExpectRect(layout.title, {85, 7, 100, 25}, "title");
    ExpectRect(layout.message, {28, 33, 220, 30}, "message");
  }
}

TEST(LayoutMessageBox, MessageEndsAboveThePlatesTitleCentredOn135) {
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  const TextStyle title = MessageBoxTitleStyle();
  EXPECT_FLOAT_EQ(title.layout.x + title.layout.width / 2, 135.0f);
  // The message's rectangle reaches 2 pixels into the plates' row; what is
  // drawn there lies under the plates.
  const TextStyle message = MessageBoxMessageStyle();
  EXPECT_LE(message.layout.y + message.layout.height, layout.okButton.y + 2);
  for (const TextStyle& style : {title, message}) {
    EXPECT_EQ(style.argb, 0xFFDAC29Du);
    EXPECT_EQ(style.align, TextAlign::Center);
    EXPECT_EQ(style.trimming, TextTrimming::EllipsisCharacter);
  }
}
