// The image button and the message box on the display, driven like a user
// would: pointer and keys through the system's input queue, pixels read back
// from the windows. Each dialog runs its modal loop on a thread of its own;
// the test thread is the user.
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/dialog.h"
#include "gui_driver.h"
#include "kit_test_support.h"
#include "res/resource.h"
#include "test_support.h"
#include "ui/custom_message_box.h"
#include "ui/message_box_layout.h"
#include "ui/touch_button.h"

namespace {

const testing::Environment* const kPlatform = testing::AddGlobalTestEnvironment(new KitPlatformEnvironment);

constexpr DWORD kWaitMs = 5000;

// Runs a dialog modally on a GUI thread of its own.
template <typename DialogType>
class ModalOnThread {
 public:
  using Setup = std::function<std::unique_ptr<DialogType>()>;
  explicit ModalOnThread(Setup make) {
    m_thread = std::thread([this, make] {
      std::unique_ptr<DialogType> dialog = make();
      m_threadId = ::GetCurrentThreadId();
      m_result = dialog->DoModal();
      m_ended = true;
    });
  }
  ~ModalOnThread() {
    if (!m_ended) {
      if (HWND hwnd = Window(0)) ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    }
    m_thread.join();
  }
  ModalOnThread(const ModalOnThread&) = delete;
  ModalOnThread& operator=(const ModalOnThread&) = delete;

  // The dialog's window once it shows.
  HWND Window(DWORD milliseconds = kWaitMs) const {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!m_threadId && ::GetTickCount64() < deadline) ::Sleep(10);
    gui::WindowQuery query;
    query.threadId = m_threadId;
    query.className = L"#32770";
    return gui::WaitForTopLevelWindow(query, milliseconds);
  }
  DWORD ThreadId() const { return m_threadId; }
  // DoModal's result, when the dialog ends within `milliseconds`.
  std::optional<INT_PTR> WaitForEnd(DWORD milliseconds) const {
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!m_ended && ::GetTickCount64() < deadline) ::Sleep(10);
    if (!m_ended) return std::nullopt;
    return m_result.load();
  }

 private:
  std::thread m_thread;
  std::atomic<DWORD> m_threadId{0};
  std::atomic<bool> m_ended{false};
  std::atomic<INT_PTR> m_result{-1};
};

// A picture's pixels that differ from the expected ones by more than a few
// levels, with the first few for the failure message.
struct Mismatch {
  int count = 0;
  std::string first;
};

Mismatch Compare(const gui::Picture& got, const gui::Picture& want, const RECT& region, int tolerance = 4) {
  Mismatch mismatch;
  for (int y = region.top; y < region.bottom; ++y) {
    for (int x = region.left; x < region.right; ++x) {
      if (gui::ColourDistance(got.At(x, y), want.At(x, y)) <= tolerance) continue;
      if (++mismatch.count <= 3) {
        char text[80];
        snprintf(text, sizeof(text), " (%d,%d) got %06X want %06X", x, y, got.At(x, y), want.At(x, y));
        mismatch.first += text;
      }
    }
  }
  return mismatch;
}

// Waits until the client area of `hwnd` shows `want` inside `region`; the
// last comparison either way.
Mismatch WaitForPicture(HWND hwnd, const gui::Picture& want, const RECT& region) {
  Mismatch last;
  const ULONGLONG deadline = ::GetTickCount64() + 3000;
  do {
    const gui::Picture got = gui::CaptureClient(hwnd);
    if (got.width() != want.width() || got.height() != want.height()) {
      last = Mismatch{-1, " picture of another size"};
    } else {
      last = Compare(got, want, region);
      if (last.count == 0) break;
    }
    ::Sleep(30);
  } while (::GetTickCount64() < deadline);
  return last;
}

// The straight pixels of a PNG resource of the launcher.
struct Png {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Png LoadPng(WORD id) {
  CGdiPlusBitmapResource holder;
  Png png;
  if (!holder.LoadFromResource(id)) return png;
  png.width = static_cast<int>(holder.GetBitmap()->GetWidth());
  png.height = static_cast<int>(holder.GetBitmap()->GetHeight());
  png.pixels = StraightPixels(*holder.GetBitmap());
  return png;
}

enum class Look { Plain, Brightened };

// `background` with `image` drawn at (x, y) at its natural size, cut at the
// button's rectangle `clip` and at the picture's edges.
void DrawLook(gui::Picture& picture, const Png& image, Look look, const RECT& clip) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const int px = clip.left + x, py = clip.top + y;
      if (px >= clip.right || py >= clip.bottom || px >= picture.width() || py >= picture.height()) continue;
      const std::uint32_t pixel = look == Look::Brightened ? Brightened(image.At(x, y)) : image.At(x, y);
      picture.At(px, py) = Over(pixel, picture.At(px, py));
    }
  }
}

RECT Intersect(const RECT& a, const RECT& b) {
  RECT out;
  if (!::IntersectRect(&out, &a, &b)) return RECT{0, 0, 0, 0};
  return out;
}

RECT ToRect(const PixelRect& r) { return RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }
RECT ToRect(const LayoutRect& r) {
  return RECT{static_cast<LONG>(r.x), static_cast<LONG>(r.y), static_cast<LONG>(r.x + r.width),
              static_cast<LONG>(r.y + r.height)};
}

bool IsHandCursor() { return gui::CurrentCursor() == ::LoadCursorW(nullptr, IDC_HAND); }

// Keeps the pointer away from where the windows appear.
void ParkPointer() { gui::MoveTo(POINT{::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5}); }

// ---- The message box -------------------------------------------------------

constexpr WORD kFacePng = 304, kOkPng = 314, kOkLitPng = 313, kCancelPng = 312, kCancelLitPng = 311, kClosePng = 316;

class MessageBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    ParkPointer();
    m_face = LoadPng(kFacePng);
    ASSERT_EQ(m_face.width, kMessageBoxWidth);
    ASSERT_EQ(m_face.height, kMessageBoxHeight);
  }
  void TearDown() override {
    gui::LeftUp();
    m_run.reset();
  }

  // Shows a box with these texts and waits until its face and plates show.
  HWND Show(const std::wstring& title, const std::wstring& message) {
    m_run = std::make_unique<ModalOnThread<CCustomMessageBox>>([title, message] {
      auto box = std::make_unique<CCustomMessageBox>();
      box->SetTexts(title, message);
      return box;
    });
    HWND box = m_run->Window();
    if (!box) return nullptr;
    // The face first, then each button over it.
    const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
    // (The cross's lower rows capture whatever the message draws under them.)
    const RECT aboveMessage = {0, 0, kMessageBoxWidth, static_cast<LONG>(layout.message.y)};
    for (const RECT& part : {RECT{0, 0, 20, 20}, ToRect(layout.okButton), ToRect(layout.cancelButton),
                             Intersect(ToRect(layout.closeButton), aboveMessage)}) {
      const Mismatch shown = WaitForPicture(box, Normal(), part);
      EXPECT_EQ(shown.count, 0) << "the box did not show its face and buttons:" << shown.first;
    }
    return box;
  }

  // The face alone.
  gui::Picture Face() const {
    gui::Picture picture(m_face.width, m_face.height);
    for (int y = 0; y < m_face.height; ++y) {
      for (int x = 0; x < m_face.width; ++x) picture.At(x, y) = m_face.At(x, y) & 0xFFFFFF;
    }
    return picture;
  }
  // The face with the three buttons in their normal looks (no texts).
  gui::Picture Normal() const {
    gui::Picture picture = Face();
    const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
    DrawLook(picture, LoadPng(kOkPng), Look::Plain, ToRect(layout.okButton));
    DrawLook(picture, LoadPng(kCancelPng), Look::Plain, ToRect(layout.cancelButton));
    DrawLook(picture, LoadPng(kClosePng), Look::Plain, ToRect(layout.closeButton));
    return picture;
  }

  std::optional<INT_PTR> Answer() const { return m_run->WaitForEnd(kWaitMs); }

  Png m_face;
  std::unique_ptr<ModalOnThread<CCustomMessageBox>> m_run;
};

TEST_F(MessageBoxTest, AnswersOkForOkAndEnterCancelForTheRest) {
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  auto clickOn = [](const PixelRect& r) {
    return [r](HWND box) { gui::Click(gui::ClientToScreenPoint(box, r.x + r.width / 2, r.y + r.height / 2)); };
  };
  auto press = [](WORD vk) {
    return [vk](HWND box) {
      ASSERT_TRUE(gui::BringToFront(box));
      gui::PressKey(vk);
    };
  };
  // The cross's picture sits in the top-left corner of its button.
  auto clickCross = [&layout](HWND box) {
    gui::Click(gui::ClientToScreenPoint(box, layout.closeButton.x + 5, layout.closeButton.y + 5));
  };
  const struct {
    const char* what;
    std::function<void(HWND)> act;
    INT_PTR answer;
  } cases[] = {
      {"OK plate", clickOn(layout.okButton), IDOK},
      {"Enter", press(VK_RETURN), IDOK},
      {"Cancel plate", clickOn(layout.cancelButton), IDCANCEL},
      {"close cross", clickCross, IDCANCEL},
      {"Escape", press(VK_ESCAPE), IDCANCEL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND box = Show(L"关闭提示", L"是否退出Ziradud登录器？");
    ASSERT_NE(box, nullptr);
    c.act(box);
    const std::optional<INT_PTR> answer = Answer();
    ASSERT_TRUE(answer.has_value()) << "the box did not end";
    EXPECT_EQ(*answer, c.answer);
    EXPECT_FALSE(::IsWindow(box));
    m_run.reset();
    ParkPointer();
  }
}

TEST_F(MessageBoxTest, FaceTextsAndPlatesWhereTheLayoutPutsThem) {
  HWND box = Show(L"关闭提示", L"是否退出Ziradud登录器？");
  ASSERT_NE(box, nullptr);

  // A borderless 253 x 106 window: its client area is the whole window.
  const RECT window = gui::WindowRect(box);
  const RECT client = gui::ClientRectOnScreen(box);
  EXPECT_EQ(window.right - window.left, kMessageBoxWidth);
  EXPECT_EQ(window.bottom - window.top, kMessageBoxHeight);
  EXPECT_TRUE(::EqualRect(&window, &client));
  const LONG style = ::GetWindowLongW(box, GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);

  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  const struct {
    int id;
    PixelRect rect;
  } buttons[] = {{IDC_BTN_CLOSE, layout.closeButton}, {IDOK, layout.okButton}, {IDCANCEL, layout.cancelButton}};
  for (const auto& b : buttons) {
    HWND button = gui::FindControl(box, b.id);
    ASSERT_NE(button, nullptr) << "control " << b.id;
    const RECT got = gui::RectInParent(button, box);
    const RECT want = ToRect(b.rect);
    EXPECT_TRUE(::EqualRect(&got, &want)) << "control " << b.id << " at " << got.left << "," << got.top << " size "
                                          << got.right - got.left << "x" << got.bottom - got.top;
  }

  // Everything but the texts is the face with the plates and the cross.
  const gui::Picture shown = gui::CaptureClient(box);
  const gui::Picture normal = Normal();
  const InkMask ink(shown, normal, 24);
  const RECT all = {0, 0, kMessageBoxWidth, kMessageBoxHeight};
  const RECT title = ToRect(layout.title);
  const RECT message = ToRect(layout.message);
  EXPECT_EQ(ink.Count(all), ink.Count(title) + ink.Count(message)) << "pixels off the face outside the texts";
  const Mismatch plates = Compare(shown, normal, Intersect(ToRect(layout.okButton), all));
  EXPECT_EQ(plates.count, 0) << "OK plate:" << plates.first;

  // The title is centred on x = 135; both texts are pale gold.
  const RECT titleInk = ink.Bounds(title);
  ASSERT_FALSE(IsEmpty(titleInk));
  EXPECT_NEAR((titleInk.left + titleInk.right) / 2.0, 135.0, 1.5);
  for (const RECT& text : {title, message}) {
    ASSERT_GT(ink.Count(text), 0);
    int best = 255;
    for (int y = text.top; y < text.bottom; ++y) {
      for (int x = text.left; x < text.right; ++x) best = std::min(best, gui::ColourDistance(shown.At(x, y), 0xDAC29D));
    }
    EXPECT_LE(best, 8) << "no pixel of the text colour in the rectangle at " << text.left << "," << text.top;
  }
}

TEST_F(MessageBoxTest, TooLongTextsEndInAnEllipsisAboveThePlates) {
  HWND box = Show(L"是否退出当前区服重新选择新区服",
                  L"The update could not be checked because the version server did not answer in time; "
                  L"please try again later or ask the portal for help.");
  ASSERT_NE(box, nullptr);
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  const gui::Picture shown = gui::CaptureClient(box);
  const InkMask ink(shown, Normal(), 24);
  const RECT message = ToRect(layout.message);
  const RECT messageInk = ink.Bounds(message);
  ASSERT_FALSE(IsEmpty(messageInk));
  EXPECT_LE(messageInk.bottom, layout.okButton.y) << "the message reaches the plates' row";
  EXPECT_GT(messageInk.bottom - messageInk.top, 14) << "the message was not wrapped";
  EXPECT_TRUE(ink.EndsWithEllipsis(message));
  EXPECT_TRUE(ink.EndsWithEllipsis(ToRect(layout.title)));
  const RECT all = {0, 0, kMessageBoxWidth, kMessageBoxHeight};
  EXPECT_EQ(ink.Count(all), ink.Count(message) + ink.Count(ToRect(layout.title)));
}

TEST_F(MessageBoxTest, DraggingTheFaceMovesItDraggingAPlateDoesNot) {
  HWND box = Show(L"选服", L"是否退出当前区服，重新选择新区服？");
  ASSERT_NE(box, nullptr);
  const RECT before = gui::WindowRect(box);
  gui::Drag(gui::ClientToScreenPoint(box, 20, 85), gui::ClientToScreenPoint(box, 20 + 70, 85 + 40));
  ASSERT_TRUE(WaitUntil(
      [&] {
        const RECT now = gui::WindowRect(box);
        return now.left == before.left + 70 && now.top == before.top + 40;
      },
      kWaitMs))
      << "the box did not follow the pointer";

  // Pressed on a plate, the pointer presses the plate; released off it, nothing happens.
  const RECT moved = gui::WindowRect(box);
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  const POINT plate = gui::ClientToScreenPoint(box, layout.cancelButton.x + 40, layout.cancelButton.y + 17);
  gui::Drag(plate, POINT{plate.x + 10, plate.y + 80});
  ::Sleep(300);
  const RECT after = gui::WindowRect(box);
  EXPECT_TRUE(::EqualRect(&after, &moved));
  EXPECT_FALSE(m_run->WaitForEnd(0).has_value()) << "a press released off the plate answered the box";
}

TEST_F(MessageBoxTest, ButtonsShowNormalHoverAndPressedLooksAndTheHand) {
  HWND box = Show(L"关闭提示", L"是否退出Ziradud登录器？");
  ASSERT_NE(box, nullptr);
  const MessageBoxLayout layout = LayoutMessageBox(kMessageBoxWidth, kMessageBoxHeight);
  const RECT all = {0, 0, kMessageBoxWidth, kMessageBoxHeight};
  const struct {
    const char* what;
    PixelRect rect;
    WORD normal, hover, pressed;
  } cases[] = {
      {"OK plate", layout.okButton, kOkPng, kOkLitPng, kOkLitPng},
      {"Cancel plate", layout.cancelButton, kCancelPng, kCancelLitPng, kCancelLitPng},
      // One picture for all three looks: lit on hover, as it is when pressed.
      {"close cross", layout.closeButton, kClosePng, kClosePng, kClosePng},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RECT rect = Intersect(ToRect(c.rect), all);
    auto expect = [&](WORD image, Look look) {
      gui::Picture want = Face();
      DrawLook(want, LoadPng(image), look, ToRect(c.rect));
      // The other buttons keep their normal looks; compare this one only.
      return want;
    };
    const POINT on = gui::ClientToScreenPoint(box, c.rect.x + 6, c.rect.y + 6);

    gui::Rest(on, 200);
    Mismatch got = WaitForPicture(box, expect(c.hover, Look::Brightened), rect);
    EXPECT_EQ(got.count, 0) << "hover look:" << got.first;
    EXPECT_TRUE(IsHandCursor());

    gui::LeftDown();
    got = WaitForPicture(box, expect(c.pressed, Look::Plain), rect);
    EXPECT_EQ(got.count, 0) << "pressed look:" << got.first;

    // Released off the button: no answer, and the normal look is back.
    gui::MoveTo(gui::ClientToScreenPoint(box, 10, 75), 4);
    gui::LeftUp();
    got = WaitForPicture(box, expect(c.normal, Look::Plain), rect);
    EXPECT_EQ(got.count, 0) << "normal look:" << got.first;
    EXPECT_FALSE(m_run->WaitForEnd(0).has_value());
  }
}

// ---- A panel of image buttons ----------------------------------------------

constexpr UINT kPanelTemplate = 9100;
constexpr int kTipButton = 9101, kPlainButton = 9102, kBlankButton = 9103;
constexpr std::uint32_t kPanelFace = 0x28584A;
constexpr PixelRect kTipRect = {20, 20, 59, 24}, kPlainRect = {100, 20, 28, 26}, kBlankRect = {150, 20, 40, 30};
const wchar_t kTipText[] = L"选择新的服务器";

// A plain face in one colour carrying three image buttons: one with a
// tooltip, one without, one whose pictures do not exist. Counts the clicks of
// the first.
class ButtonPanel : public Dialog {
 public:
  explicit ButtonPanel(std::atomic<int>* clicks) : Dialog(kPanelTemplate), m_clicks(clicks) {}

 protected:
  void DoDataExchange() override {
    m_btnTip.Bind(m_hWnd, kTipButton);
    m_btnPlain.Bind(m_hWnd, kPlainButton);
    m_btnBlank.Bind(m_hWnd, kBlankButton);
  }
  bool OnInitDialog() override {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 220, 70, SWP_NOMOVE | SWP_NOZORDER);
    Place(m_btnTip, kTipRect);
    m_btnTip.SetImages(211, 212, 231);
    m_btnTip.SetTooltipText(kTipText, true);
    Place(m_btnPlain, kPlainRect);
    m_btnPlain.SetImages(207, 208, 227);
    m_btnPlain.SetTooltipText(L"", true);
    Place(m_btnBlank, kBlankRect);
    m_btnBlank.SetImages(9998, 9998, 9998);
    return true;
  }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (msg != WM_ERASEBKGND) return false;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    UniqueGdiObject brush(::CreateSolidBrush(RGB(0x28, 0x58, 0x4A)));
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
    result = TRUE;
    return true;
  }
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id != kTipButton || code != BN_CLICKED) return false;
    ++*m_clicks;
    return true;
  }

 private:
  static void Place(const CTouchButton& button, const PixelRect& r) {
    ::SetWindowPos(button.GetSafeHwnd(), nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER);
  }

  std::atomic<int>* m_clicks;
  CTouchButton m_btnTip, m_btnPlain, m_btnBlank;
};

class ImageButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    ParkPointer();
    m_run = std::make_unique<ModalOnThread<ButtonPanel>>([this] { return std::make_unique<ButtonPanel>(&m_clicks); });
    m_panel = m_run->Window();
    ASSERT_NE(m_panel, nullptr);
    const Mismatch shown = WaitForPicture(m_panel, Looks(Look::Plain), Whole());
    ASSERT_EQ(shown.count, 0) << "the panel did not show its normal looks:" << shown.first;
  }
  void TearDown() override {
    gui::LeftUp();
    m_run.reset();
  }

  RECT Whole() const { return RECT{0, 0, 220, 70}; }
  // The panel with each button in its normal look, or the first button in
  // its hover or pressed look.
  gui::Picture Looks(Look tipLook, WORD tipImage = 211) const {
    gui::Picture picture(220, 70);
    for (int y = 0; y < 70; ++y) {
      for (int x = 0; x < 220; ++x) picture.At(x, y) = kPanelFace;
    }
    DrawLook(picture, LoadPng(tipImage), tipLook, ToRect(kTipRect));
    DrawLook(picture, LoadPng(207), Look::Plain, ToRect(kPlainRect));
    return picture;
  }
  POINT On(const PixelRect& r) const {
    return gui::ClientToScreenPoint(m_panel, r.x + r.width / 2, r.y + r.height / 2);
  }
  // The tooltip controls of the panel's thread that serve `button`.
  std::vector<HWND> TooltipsOf(HWND button, bool visibleOnly) const {
    gui::WindowQuery query;
    query.threadId = m_run->ThreadId();
    query.className = TOOLTIPS_CLASSW;
    query.visibleOnly = visibleOnly;
    std::vector<HWND> serving;
    for (HWND tip : gui::FindTopLevelWindows(query)) {
      TOOLINFOW info = {};
      info.cbSize = TTTOOLINFOW_V2_SIZE;
      const int count = static_cast<int>(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        if (::SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info)) && info.hwnd == button) {
          serving.push_back(tip);
          break;
        }
      }
    }
    return serving;
  }

  std::atomic<int> m_clicks{0};
  std::unique_ptr<ModalOnThread<ButtonPanel>> m_run;
  HWND m_panel = nullptr;
};

TEST_F(ImageButtonTest, LooksAreComposedOverTheParentsFaceWithTheHand) {
  // SetUp saw the normal looks: pictures over the face, the missing one none.
  for (const PixelRect& r : {kTipRect, kPlainRect, kBlankRect}) {
    gui::Rest(On(r), 150);
    EXPECT_TRUE(IsHandCursor()) << "over the button at " << r.x << "," << r.y;
  }
  gui::Rest(On(kTipRect), 150);
  const Mismatch hover = WaitForPicture(m_panel, Looks(Look::Brightened, 212), ToRect(kTipRect));
  EXPECT_EQ(hover.count, 0) << "hover look:" << hover.first;
  gui::LeftDown();
  const Mismatch pressed = WaitForPicture(m_panel, Looks(Look::Plain, 231), ToRect(kTipRect));
  EXPECT_EQ(pressed.count, 0) << "pressed look:" << pressed.first;
  // Released on the button: a click, and the hover look again.
  gui::LeftUp();
  const Mismatch again = WaitForPicture(m_panel, Looks(Look::Brightened, 212), ToRect(kTipRect));
  EXPECT_EQ(again.count, 0) << "hover look after the click:" << again.first;
  EXPECT_TRUE(WaitUntil([&] { return m_clicks == 1; }, kWaitMs));
}

TEST_F(ImageButtonTest, ADoubleClickIsTwoClicks) {
  gui::DoubleClick(On(kTipRect));
  EXPECT_TRUE(WaitUntil([&] { return m_clicks == 2; }, kWaitMs)) << "clicks: " << m_clicks;
  ::Sleep(200);
  EXPECT_EQ(m_clicks, 2);
}

TEST_F(ImageButtonTest, TooltipShowsAfterTheRestOnlyWhenThereIsAText) {
  HWND tipButton = gui::FindControl(m_panel, kTipButton);
  HWND plainButton = gui::FindControl(m_panel, kPlainButton);

  // Tooltips show for the active window, as the player's window is while
  // they point at its buttons.
  ASSERT_TRUE(gui::BringToFront(m_panel));
  gui::Rest(On(kPlainRect), 300);
  EXPECT_TRUE(TooltipsOf(plainButton, false).empty()) << "a tooltip for a button without text";

  gui::Rest(On(kTipRect), 1000);
  EXPECT_TRUE(TooltipsOf(tipButton, true).empty()) << "the tooltip came before its delay";
  std::vector<HWND> shown;
  WaitUntil(
      [&] {
        shown = TooltipsOf(tipButton, true);
        return !shown.empty();
      },
      kWaitMs);
  ASSERT_EQ(shown.size(), 1u) << "no tooltip after resting on the button";
  EXPECT_EQ(::SendMessageW(shown[0], TTM_GETDELAYTIME, TTDT_INITIAL, 0), 2000);
  wchar_t text[80] = L"";
  TOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = tipButton;
  info.uId = 1;
  info.lpszText = text;
  ::SendMessageW(shown[0], TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, kTipText);
}

}  // namespace
