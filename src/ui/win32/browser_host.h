// A child window that shows a web page through the system's WebBrowser
// control. Where the control cannot be had, or has no engine behind it, the
// window is a plain static that shows the address instead, so the program
// still runs on systems without a browser.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace ui::win32 {

class BrowserHost {
 public:
  // Creates the host: a child window of `parent` at the given place with
  // control id `id`, navigating to `address` at once. Never fails as a whole:
  // where the WebBrowser control cannot be created or has no engine behind
  // it, a plain placeholder stands in its place and shows the address.
  // Only if the window itself cannot be created is Window() null.
  // OLE must already be initialised on this (the UI) thread.
  static std::unique_ptr<BrowserHost> Create(HWND parent, int x, int y, int width, int height, int id,
                                             const std::wstring& address);
  ~BrowserHost();
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  // UI thread. An empty address shows "about:blank".
  void Navigate(const std::wstring& address);

  // The host window, whose text is always the address last navigated to;
  // null once it has been destroyed (for example with its parent).
  HWND Window() const { return window_; }

  // True while the WebBrowser is showing pages; false while the placeholder
  // stands in, and once the window is gone.
  bool HasEngine() const { return ole_ != nullptr; }

  // For the message loop, before TranslateMessage: gives the browser the
  // keys it handles itself (Tab between links, Ctrl+C, Enter in forms).
  // True when the browser took the message and it must not be dispatched.
  bool TranslateAccelerator(MSG& message);

 private:
  struct Ole;

  BrowserHost() = default;
  void Embed();
  void Unembed();
  static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);

  HWND window_ = nullptr;
  std::wstring address_;
  std::unique_ptr<Ole> ole_;
};

}  // namespace ui::win32
