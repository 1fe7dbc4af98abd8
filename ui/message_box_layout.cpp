#include "ui/message_box_layout.h"

namespace {

constexpr std::uint32_t kTextColour = 0xFFDAC29D;  // opaque pale gold

}  // namespace

MessageBoxLayout LayoutMessageBox(int clientWidth, int clientHeight) {
  MessageBoxLayout layout;
  layout.closeButton = {clientWidth - 25, 10, 28, 26};
  layout.okButton = {45, clientHeight - 45, 82, 34};
  layout.cancelButton = {137, clientHeight - 45, 82, 34};
  layout.title = {85.0f, 7.0f, 100.0f, 25.0f};
  layout.message = {28.0f, 33.0f, 220.0f, 30.0f};
  return layout;
}

TextStyle MessageBoxTitleStyle() {
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  return TextStyle{
      L"微软雅黑", 15.0f, true, kTextColour, layout.title, TextAlign::Center, TextTrimming::EllipsisCharacter};
}

TextStyle MessageBoxMessageStyle() {
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  return TextStyle{
      L"arial", 11.0f, false, kTextColour, layout.message, TextAlign::Center, TextTrimming::EllipsisCharacter};
}
