#include "gui_driver.h"

#include <algorithm>
#include <cstdlib>

#include "framework/handles.h"

namespace gui {

namespace {

bool Matches(HWND hwnd, const WindowQuery& query) {
  if (query.visibleOnly && !::IsWindowVisible(hwnd)) return false;
  DWORD pid = 0;
  const DWORD tid = ::GetWindowThreadProcessId(hwnd, &pid);
  if (query.processId && pid != query.processId) return false;
  if (query.threadId && tid != query.threadId) return false;
  if (!query.className.empty() && _wcsicmp(WindowClass(hwnd).c_str(), query.className.c_str()) != 0) return false;
  if (!query.title.empty() && WindowText(hwnd) != query.title) return false;
  return true;
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

// Absolute pointer coordinates: 0..65535 across the primary screen, rounded
// so that they map back onto the wanted pixel.
LONG Normalised(LONG pixel, int screenSize) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

// Lets the input reach the windows before the next step.
void Settle(DWORD milliseconds = 30) { ::Sleep(milliseconds); }

Picture Capture(HDC source, int width, int height) {
  Picture picture(std::max(width, 0), std::max(height, 0));
  if (picture.empty()) return picture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueGdiObject bitmap(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDC memory(::CreateCompatibleDC(source));
  if (!bitmap || !memory) return Picture();
  HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
  ::BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.At(x, y) = pixels[size_t(y) * width + x] & 0xFFFFFF;
  }
  ::SelectObject(memory.get(), previous);
  return picture;
}

}  // namespace

namespace {

// Enumeration callbacks: named functions, since a lambda does not convert to
// the stdcall callbacks of 32-bit Windows.
struct TopLevelSearch {
  const WindowQuery* query;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  if (Matches(hwnd, *search->query)) search->found.push_back(hwnd);
  return TRUE;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindControlById(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (::GetDlgCtrlID(hwnd) != search->id) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
  TopLevelSearch search = {&query, {}};
  ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
  const std::vector<HWND> found = FindTopLevelWindows(query);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevelWindow(const WindowQuery& query, DWORD milliseconds) {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  for (;;) {
    if (HWND hwnd = FindTopLevelWindow(query)) return hwnd;
    if (::GetTickCount64() >= deadline) return nullptr;
    ::Sleep(20);
  }
}

HWND FindControl(HWND parent, int id) {
  if (HWND direct = ::GetDlgItem(parent, id)) return direct;
  ControlSearch search = {id, nullptr};
  ::EnumChildWindows(parent, &FindControlById, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowClass(HWND hwnd) {
  wchar_t name[256] = L"";
  const int length = ::GetClassNameW(hwnd, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT also reaches windows of other processes.
  const LRESULT length = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

bool IsVisible(HWND hwnd) { return ::IsWindowVisible(hwnd) != FALSE; }

RECT WindowRect(HWND hwnd) {
  RECT rc = {};
  ::GetWindowRect(hwnd, &rc);
  return rc;
}

RECT ClientRectOnScreen(HWND hwnd) {
  RECT rc = {};
  ::GetClientRect(hwnd, &rc);
  ::MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

RECT RectInParent(HWND hwnd, HWND parent) {
  RECT rc = ClientRectOnScreen(hwnd);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

POINT ClientToScreenPoint(HWND hwnd, int x, int y) {
  POINT point = {x, y};
  ::ClientToScreen(hwnd, &point);
  return point;
}

POINT CentreOf(HWND hwnd) {
  const RECT rc = ClientRectOnScreen(hwnd);
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void MoveTo(POINT screen, int steps) {
  POINT from;
  ::GetCursorPos(&from);
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  steps = std::max(steps, 1);
  for (int i = 1; i <= steps; ++i) {
    const LONG x = from.x + (screen.x - from.x) * i / steps;
    const LONG y = from.y + (screen.y - from.y) * i / steps;
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(x, width), Normalised(y, height));
    Settle(steps > 1 ? 10 : 30);
  }
}

void LeftDown() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Settle();
}

void LeftUp() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  Settle();
}

void Click(POINT screen) {
  MoveTo(screen);
  LeftDown();
  LeftUp();
}

void DoubleClick(POINT screen) {
  MoveTo(screen);
  // Within the double-click time: no pauses between the four events.
  for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    SendMouse(flags);
  }
  Settle();
}

void Drag(POINT from, POINT to, int steps) {
  MoveTo(from);
  LeftDown();
  MoveTo(to, steps);
  LeftUp();
}

void Rest(POINT screen, DWORD milliseconds) {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  MoveTo(screen, 3);
  // A hand coming to rest: one last small move a moment after arriving.
  ::Sleep(100);
  MoveTo(POINT{screen.x + 1, screen.y});
  const ULONGLONG now = ::GetTickCount64();
  if (now < deadline) ::Sleep(static_cast<DWORD>(deadline - now));
}

void PressKey(WORD vk) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
  Settle();
}

bool BringToFront(HWND hwnd) {
  const ULONGLONG deadline = ::GetTickCount64() + 2000;
  for (;;) {
    if (::GetForegroundWindow() == hwnd) return true;
    ::SetForegroundWindow(hwnd);
    if (::GetTickCount64() >= deadline) return ::GetForegroundWindow() == hwnd;
    ::Sleep(20);
  }
}

void PushButton(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

void PostKey(HWND window, WORD vk) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  HWND target = window;
  if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus) {
    target = info.hwndFocus;
  }
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
  ::PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

Picture Picture::Crop(int x, int y, int width, int height) const {
  Picture part(width, height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) part.At(column, row) = At(x + column, y + row);
  }
  return part;
}

bool Picture::SaveBmp(const std::wstring& path) const {
  const int stride = (m_width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = m_width;
  header.biHeight = -m_height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * m_height;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&header), sizeof(header));
  std::string row(static_cast<size_t>(stride), '\0');
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x < m_width; ++x) {
      const std::uint32_t rgb = At(x, y);
      row[size_t(x) * 3] = static_cast<char>(Blue(rgb));
      row[size_t(x) * 3 + 1] = static_cast<char>(Green(rgb));
      row[size_t(x) * 3 + 2] = static_cast<char>(Red(rgb));
    }
    bytes += row;
  }
  UniqueKernelHandle out(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return out && ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

Picture CaptureClient(HWND hwnd) {
  RECT rc = {};
  ::GetClientRect(hwnd, &rc);
  HDC dc = ::GetDC(hwnd);
  if (!dc) return Picture();
  Picture picture = Capture(dc, rc.right, rc.bottom);
  ::ReleaseDC(hwnd, dc);
  return picture;
}

Picture CaptureWindow(HWND hwnd) {
  const RECT rc = WindowRect(hwnd);
  HDC dc = ::GetWindowDC(hwnd);
  if (!dc) return Picture();
  Picture picture = Capture(dc, rc.right - rc.left, rc.bottom - rc.top);
  ::ReleaseDC(hwnd, dc);
  return picture;
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  return std::max({std::abs(Red(a) - Red(b)), std::abs(Green(a) - Green(b)), std::abs(Blue(a) - Blue(b))});
}

HCURSOR CurrentCursor() {
  CURSORINFO info = {};
  info.cbSize = sizeof(info);
  if (!::GetCursorInfo(&info)) return nullptr;
  return info.hCursor;
}

}  // namespace gui
