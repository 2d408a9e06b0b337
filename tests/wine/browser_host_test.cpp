// The browser host on a real top-level window. Wine here runs without its
// HTML engine (WINEDLLOVERRIDES=mshtml=), so these are the placeholder's
// tests; the rules about the window's text and its teardown hold for both.
#include "ui/win32/browser_host.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using ui::win32::BrowserHost;

constexpr int kHostId = 4321;
constexpr int kX = 12;
constexpr int kY = 18;
constexpr int kWidth = 360;
constexpr int kHeight = 120;

// Runs on the parent's WM_DESTROY, where the program lets its controls go.
std::function<void()> g_onParentDestroy;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && g_onParentDestroy) {
    auto run = std::move(g_onParentDestroy);
    g_onParentDestroy = nullptr;
    run();
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* ParentClass() {
  static const wchar_t* name = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = L"BrowserHostTestParent";
    RegisterClassW(&windowClass);
    return windowClass.lpszClassName;
  }();
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Wine reads the overrides from the environment it was started with, so
// the test can see them too.
bool EngineDisabledByWine() {
  const char* overrides = std::getenv("WINEDLLOVERRIDES");
  if (!overrides) return false;
  std::string_view list(overrides);
  for (size_t at = list.find("mshtml="); at != std::string_view::npos; at = list.find("mshtml=", at + 1)) {
    if (at != 0 && list[at - 1] != ';' && list[at - 1] != ',') continue;
    size_t value = at + 7;
    if (value == list.size() || list[value] == ';' || list[value] == 'd') return true;
  }
  return false;
}

// Handles whatever is queued; the calls under test are synchronous, so
// this is only to let the windows settle as they would in the program.
void DrainMessages() {
  MSG message;
  for (int i = 0; i < 10000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

struct Ink {
  int left = -1, top = -1, right = -1, bottom = -1;
  int pixels = 0;
};

// Paints the window the way the system would into a bitmap and finds what
// differs from the background in its corner.
Ink InkOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  int width = client.right;
  int height = client.bottom;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* pixel = static_cast<const UINT32*>(bits);
  Ink ink;
  UINT32 background = pixel[0] & 0xFFFFFF;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixel[y * width + x] & 0xFFFFFF) == background) continue;
      if (ink.pixels++ == 0) {
        ink.left = ink.right = x;
        ink.top = ink.bottom = y;
      }
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ink;
}

class BrowserHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HRESULT hr = OleInitialize(nullptr);
    ASSERT_TRUE(SUCCEEDED(hr)) << "OleInitialize hr=0x" << std::hex << static_cast<unsigned long>(hr);
    oleReady_ = true;
    parent_ = CreateWindowExW(0, ParentClass(), L"Browser host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                              60, 60, 480, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr) << "CreateWindowExW error " << GetLastError();
    DrainMessages();
  }

  void TearDown() override {
    g_onParentDestroy = nullptr;
    host_.reset();
    if (parent_ && IsWindow(parent_)) DestroyWindow(parent_);
    DrainMessages();
    if (oleReady_) OleUninitialize();
  }

  void Make(const std::wstring& address) {
    host_ = BrowserHost::Create(parent_, kX, kY, kWidth, kHeight, kHostId, address);
    ASSERT_NE(host_, nullptr);
    ASSERT_NE(host_->Window(), nullptr) << "no host window";
    DrainMessages();
  }

  bool oleReady_ = false;
  HWND parent_ = nullptr;
  std::unique_ptr<BrowserHost> host_;
};

TEST_F(BrowserHostTest, WithoutAnEngineAPlaceholderShowsTheAddress) {
  if (!EngineDisabledByWine()) GTEST_SKIP() << "runs where Wine's HTML engine is turned off (mshtml=)";
  const std::wstring address = L"http://www.example.com/renamer/";
  ASSERT_NO_FATAL_FAILURE(Make(address));
  HWND window = host_->Window();

  EXPECT_FALSE(host_->HasEngine());
  EXPECT_EQ(ClassOf(window), L"Static");
  EXPECT_EQ(TextOf(window), address);
  EXPECT_EQ(GetParent(window), parent_);
  EXPECT_EQ(GetDlgCtrlID(window), kHostId);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, kX);
  EXPECT_EQ(place.top, kY);
  EXPECT_EQ(place.right - place.left, kWidth);
  EXPECT_EQ(place.bottom - place.top, kHeight);
  // No browser child covers it: the static itself is what is seen.
  EXPECT_EQ(GetWindow(window, GW_CHILD), nullptr) << ClassOf(GetWindow(window, GW_CHILD));

  // The address is drawn in the middle of the box, on one line.
  Ink ink = InkOf(window);
  ASSERT_GT(ink.pixels, 50) << "nothing drawn";
  int leftMargin = ink.left;
  int rightMargin = kWidth - 1 - ink.right;
  int topMargin = ink.top;
  int bottomMargin = kHeight - 1 - ink.bottom;
  EXPECT_LE(std::abs(leftMargin - rightMargin), 6) << "left " << leftMargin << " right " << rightMargin;
  EXPECT_LE(std::abs(topMargin - bottomMargin), 6) << "top " << topMargin << " bottom " << bottomMargin;
  EXPECT_LT(ink.bottom - ink.top, kHeight / 3) << "text spans rows " << ink.top << ".." << ink.bottom;
}

TEST_F(BrowserHostTest, TheWindowTextFollowsEveryNavigation) {
  ASSERT_NO_FATAL_FAILURE(Make(L"http://www.example.com/"));
  HWND window = host_->Window();

  const std::wstring wide = L"http://例子.测试/目录/页面.html?名=值&x=1";
  host_->Navigate(wide);
  EXPECT_EQ(TextOf(window), wide);

  host_->Navigate(L"");
  EXPECT_EQ(TextOf(window), L"about:blank");

  host_->Navigate(L"https://example.org/again");
  EXPECT_EQ(TextOf(window), L"https://example.org/again");
}

TEST_F(BrowserHostTest, AnEmptyFirstAddressShowsAboutBlank) {
  ASSERT_NO_FATAL_FAILURE(Make(L""));
  EXPECT_EQ(TextOf(host_->Window()), L"about:blank");
}

TEST_F(BrowserHostTest, DestroyingTheHostTakesItsWindowAway) {
  ASSERT_NO_FATAL_FAILURE(Make(L"http://www.example.com/"));
  HWND window = host_->Window();
  host_.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(IsWindow(parent_));
  EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr) << ClassOf(GetWindow(parent_, GW_CHILD));
}

TEST_F(BrowserHostTest, OutlivingItsParentIsHarmless) {
  ASSERT_NO_FATAL_FAILURE(Make(L"http://www.example.com/"));
  HWND window = host_->Window();
  ASSERT_TRUE(DestroyWindow(parent_));
  parent_ = nullptr;
  DrainMessages();

  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(host_->Window(), nullptr);
  EXPECT_FALSE(host_->HasEngine());
  host_->Navigate(L"http://www.example.com/later");
  host_.reset();
}

TEST_F(BrowserHostTest, CanBeReleasedWhileItsParentIsBeingDestroyed) {
  ASSERT_NO_FATAL_FAILURE(Make(L"http://www.example.com/"));
  HWND window = host_->Window();
  bool hostWindowAliveAtRelease = false;
  g_onParentDestroy = [&] {
    hostWindowAliveAtRelease = IsWindow(window) != FALSE;
    host_.reset();
  };
  ASSERT_TRUE(DestroyWindow(parent_));
  parent_ = nullptr;
  DrainMessages();

  EXPECT_TRUE(hostWindowAliveAtRelease);
  EXPECT_EQ(host_, nullptr);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
