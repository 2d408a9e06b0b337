// Building the main window from the design, and its message handling.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "os/win32/wide_text.h"
#include "ui/design.h"
#include "ui/win32/browser_host.h"
#include "ui/win32/messages.h"
#include "ui/win32/win32_toolkit.h"

namespace ui::win32 {
namespace {

using design::Kind;
using os::win32::Widen;

constexpr wchar_t kPageClass[] = L"RenamerTabPage";
constexpr wchar_t kCallClass[] = L"RenamerCalls";
constexpr int kPageIds[2] = {1101, 1102};

// What a subclassed control needs from us.
enum Purpose : int {
  kShapeBox = 1,       // a container that paints its own outline
  kGroupBox,           // a container whose inside must be painted
  kPatternEdit,        // the edit field of 组合框1: key presses
  kStatusBar,          // left button released
  kProgressBar,        // draws the transparent label's text over itself
  kTransparentLabel,   // draws nothing: its text is drawn by the bar beneath
};

bool IsContainerMessage(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return true;
    default:
      return false;
  }
}

int Modifiers() {
  int modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= 1;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= 2;
  if (GetKeyState(VK_MENU) < 0) modifiers |= 4;
  return modifiers;
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontExists(const LOGFONTW& font) {
  LOGFONTW wanted = font;
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

// The controls' font: the system's default GUI font where that is a
// Chinese font (as on Chinese Windows, where it is SimSun at 9 points).
// Elsewhere that very font, when the system has it: the design's texts
// are laid out in its metrics (the count boxes cover parts of their
// labels' texts), and a font with narrower blanks would hide the rest.
// Returns null to mean the stock default GUI font.
HFONT CreateControlFont() {
  LOGFONTW standard{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof standard, &standard);
  if (standard.lfCharSet == GB2312_CHARSET) return nullptr;
  LOGFONTW chinese{};
  chinese.lfHeight = design::kSimSunHeight;
  chinese.lfWeight = FW_NORMAL;
  chinese.lfCharSet = GB2312_CHARSET;
  const std::wstring face = Widen(design::kSimSunFace);
  face.copy(chinese.lfFaceName, LF_FACESIZE - 1);
  if (!FontExists(chinese)) return nullptr;
  return CreateFontIndirectW(&chinese);
}

bool RegisterOnce(const WNDCLASSEXW& windowClass) {
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

ClassAndStyle ClassFor(const design::ControlEntry& entry) {
  DWORD edge = 0;
  if (entry.border == design::Border::Thin) edge = WS_EX_STATICEDGE;
  if (entry.border == design::Border::Sunken) edge = WS_EX_CLIENTEDGE;
  const DWORD common = WS_CHILD | (entry.hidden ? 0 : WS_VISIBLE) | WS_CLIPSIBLINGS;
  switch (entry.kind) {
    case Kind::TabControl:
      return {WC_TABCONTROLW, common | WS_CLIPCHILDREN | WS_TABSTOP | TCS_BOTTOM | TCS_MULTILINE,
              WS_EX_CONTROLPARENT};
    case Kind::StatusBar:
      return {STATUSCLASSNAMEW, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0};
    case Kind::ShapeBox:
      return {L"Static", common | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::Label:
      return {L"Static", common | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::EditBox:
      return {L"Edit",
              common | WS_TABSTOP | ES_AUTOHSCROLL | (entry.align == design::Align::Center ? ES_CENTER : ES_LEFT),
              edge};
    case Kind::Button:
      return {L"Button", common | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    case Kind::CheckBox:
      return {L"Button", common | WS_TABSTOP | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER, 0};
    case Kind::RadioButton:
      return {L"Button", common | BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER, 0};
    case Kind::ComboBox:
      return {WC_COMBOBOXW, common | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT, 0};
    case Kind::GroupBox:
      return {L"Button", common | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case Kind::ListView:
      // Owner data: the toolkit keeps the rows (see list_rows.h).
      return {WC_LISTVIEWW, common | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, edge};
    case Kind::ProgressBar:
      // Not clipped by its siblings: the transparent label above it must
      // not cut a hole into the bar.
      return {PROGRESS_CLASSW, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0};
    case Kind::TransparentLabel:
      return {L"Static", common | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_TRANSPARENT};
    case Kind::Hyperlink:
      return {WC_LINK, common, 0};
    case Kind::WebBrowser:
    case Kind::Timer:
      break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

// The window procedures, with access to the toolkit behind each window.
struct WindowProcs {
  static LRESULT CALLBACK Main(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      toolkit = static_cast<Win32Toolkit*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(toolkit));
    }
    if (!toolkit) return DefWindowProcW(window, message, wParam, lParam);
    return toolkit->MainMessage(window, message, wParam, lParam);
  }

  // Tab pages hand everything their controls report to the main window.
  static LRESULT CALLBACK Page(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsContainerMessage(message)) {
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static LRESULT CALLBACK Calls(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    if (message == kRunCallMessage) {
      (*reinterpret_cast<std::function<void()>*>(lParam))();
      return 0;
    }
    auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kShowWrittenMessage) {
      toolkit->ShowWrittenSoon();
      return 0;
    }
    if (message == WM_TIMER && wParam == kShowWrittenTimer) {
      toolkit->ShowWritten();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static LRESULT CALLBACK Control(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR purpose, DWORD_PTR toolkit) {
    return reinterpret_cast<Win32Toolkit*>(toolkit)->ControlMessage(window, message, wParam, lParam,
                                                                    static_cast<int>(purpose));
  }
};

HWND CreateCallWindow(Win32Toolkit* toolkit) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcs::Calls;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kCallClass;
  if (!RegisterOnce(windowClass)) return nullptr;
  return CreateWindowExW(0, kCallClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleW(nullptr), toolkit);
}

bool Win32Toolkit::CreateMainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring className = Widen(design::kWindowClass);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcs::Main;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  if (!windowClass.hIcon) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className.c_str();
  if (!RegisterOnce(windowClass)) return false;

  WNDCLASSEXW pageClass{};
  pageClass.cbSize = sizeof pageClass;
  pageClass.lpfnWndProc = WindowProcs::Page;
  pageClass.hInstance = instance;
  pageClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  pageClass.lpszClassName = kPageClass;
  if (!RegisterOnce(pageClass)) return false;

  ownedControlFont_ = CreateControlFont();
  guiFont_ = ownedControlFont_ ? ownedControlFont_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  tabFont_ = CreateFontW(design::kSimSunHeight, 0, 0, 0, design::kSimSunWeight, FALSE, FALSE,
                         FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         Widen(design::kSimSunFace).c_str());
  faceBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

  // Centred on the work area of the primary monitor.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - design::kWindowWidth) / 2;
  const int y = work.top + (work.bottom - work.top - design::kWindowHeight) / 2;

  // A fixed frame: no sizing border, no maximize button.
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, className.c_str(), L"",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                x, y, design::kWindowWidth, design::kWindowHeight, nullptr, nullptr,
                                instance, this);
  if (!window) return false;
  main_ = window;
  CreateControls();

  menuTree_ = CreateMenu();
  HMENU items = CreatePopupMenu();
  for (int i = 0; i < kMenuItemCount; ++i) {
    AppendMenuW(items, MF_STRING, static_cast<UINT_PTR>(design::kMenuItemIdBase + i),
                Widen(design::kMenuItemTexts[i]).c_str());
  }
  // The top item is hidden: the tree is never attached as a menu bar.
  AppendMenuW(menuTree_, MF_POPUP, reinterpret_cast<UINT_PTR>(items), Widen(design::kMenuTitle).c_str());

  Raise(Event{EventKind::WindowCreated});
  if (!main_) return false;
  ShowWindow(main_, SW_SHOW);
  // The program's one window takes the foreground it was started into.
  SetForegroundWindow(main_);
  UpdateWindow(main_);
  return true;
}

HWND Win32Toolkit::ParentWindow(Control control) const {
  const design::Parent& parent = design::Entry(control).parent;
  switch (parent.type) {
    case design::Parent::Type::MainWindow:
      return main_;
    case design::Parent::Type::TabPage:
      return pages_[static_cast<int>(parent.page)];
    case design::Parent::Type::Control:
      break;
  }
  return controls_[Index(parent.control)];
}

void Win32Toolkit::CreateControls() {
  for (const design::ControlEntry& entry : design::Controls()) {
    controls_[Index(entry.control)] = CreateControl(entry.control);
  }
  ApplyStacking();
  ShowPage(0);
}

HWND Win32Toolkit::CreateControl(Control control) {
  const design::ControlEntry& entry = design::Entry(control);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND parent = ParentWindow(control);
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.controlId));
  const design::Rect& at = entry.place;

  if (entry.kind == Kind::Timer) {
    timerPeriod_ = design::kTimerPeriod;
    SetTimer(main_, static_cast<UINT_PTR>(entry.controlId), static_cast<UINT>(timerPeriod_), nullptr);
    return nullptr;
  }
  if (entry.kind == Kind::WebBrowser) {
    browserAddress_ = design::kMakerHost;
    browser_ = BrowserHost::Create(parent, at.x, at.y, at.width, at.height, entry.controlId,
                                   Widen(browserAddress_));
    return browser_ ? browser_->Window() : nullptr;
  }

  const ClassAndStyle cs = ClassFor(entry);
  std::wstring text = Widen(entry.text);
  if (entry.kind == Kind::Hyperlink) text = L"<a>" + text + L"</a>";
  int height = at.height;
  if (entry.kind == Kind::ComboBox) height = design::kPatternDroppedHeight;
  HWND window = CreateWindowExW(cs.extendedStyle, cs.className, text.c_str(), cs.style, at.x, at.y,
                                at.width, height, parent, id, instance, nullptr);
  if (!window) return nullptr;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont_), FALSE);

  switch (entry.kind) {
    case Kind::TabControl: {
      tab_ = window;
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_), FALSE);
      for (int page = 0; page < design::kPageCount; ++page) {
        std::wstring title = Widen(design::kPageTitles[page]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageW(window, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
      }
      // The headers lie along the bottom edge, so the page area starts at
      // the tab control's own top-left corner.
      RECT area{0, 0, at.width, at.height};
      SendMessageW(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
      for (int page = 0; page < design::kPageCount; ++page) {
        pages_[page] = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"",
                                       WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, at.width,
                                       area.bottom, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageIds[page])),
                                       instance, nullptr);
      }
      break;
    }
    case Kind::StatusBar: {
      int rightEdges[1] = {design::kStatusPartRightEdge};
      SendMessageW(window, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(rightEdges));
      SendMessageW(window, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(design::InitialStatusText()).c_str()));
      Subclass(window, kStatusBar);
      break;
    }
    case Kind::ShapeBox:
      Subclass(window, kShapeBox);
      break;
    case Kind::GroupBox:
      Subclass(window, kGroupBox);
      break;
    case Kind::CheckBox:
    case Kind::RadioButton:
      if (entry.checked) SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case Kind::ComboBox: {
      for (const char* item : design::kPatternItems)
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
      SendMessageW(window, CB_SETCURSEL, design::kPatternCurrentItem, 0);
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (GetComboBoxInfo(window, &info)) {
        patternEdit_ = info.hwndItem;
        // The item stays selected in the list, but the field starts empty.
        SetWindowTextW(patternEdit_, L"");
        Subclass(patternEdit_, kPatternEdit);
      }
      break;
    }
    case Kind::ListView: {
      SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
      for (int column = 0; column < 2; ++column) {
        std::wstring title = Widen(design::kListColumns[column].title);
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        info.fmt = LVCFMT_LEFT;
        info.cx = design::kListColumns[column].width;
        info.pszText = title.data();
        info.iSubItem = column;
        SendMessageW(window, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
      }
      break;
    }
    case Kind::ProgressBar:
      progressMaximum_ = design::kProgressMaximum;
      progressPosition_ = 0;
      SendMessageW(window, PBM_SETRANGE32, 0, progressMaximum_);
      SendMessageW(window, PBM_SETPOS, 0, 0);
      Subclass(window, kProgressBar);
      break;
    case Kind::TransparentLabel:
      Subclass(window, kTransparentLabel);
      break;
    case Kind::Hyperlink:
      linkKind_ = design::kLinkKindWeb;
      linkWebAddress_ = design::kMakerHomePage;
      break;
    default:
      break;
  }
  return window;
}

void Win32Toolkit::Subclass(HWND window, int purpose) {
  SetWindowSubclass(window, WindowProcs::Control, static_cast<UINT_PTR>(purpose),
                    reinterpret_cast<DWORD_PTR>(this));
}

// New children are stacked behind their earlier siblings; each front
// control of the design is then brought just above what it covers.
void Win32Toolkit::ApplyStacking() {
  for (const design::Stacking& s : design::StackingOrder()) {
    HWND front = controls_[Index(s.front)];
    HWND behind = controls_[Index(s.behind)];
    if (!front || !behind) continue;
    bool frontIsAbove = false;
    for (HWND w = GetWindow(behind, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
      if (w == front) frontIsAbove = true;
    }
    if (frontIsAbove) continue;
    HWND above = GetWindow(behind, GW_HWNDPREV);
    SetWindowPos(front, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void Win32Toolkit::ShowPage(int page) {
  for (int i = 0; i < design::kPageCount; ++i) {
    if (pages_[i]) ShowWindow(pages_[i], i == page ? SW_SHOW : SW_HIDE);
  }
}

void Win32Toolkit::Raise(const Event& event) {
  if (sink_ && main_) sink_->HandleEvent(event);
}

bool Win32Toolkit::TranslateForWindow(MSG& message) {
  if (!main_) return false;
  // Keys for the embedded browser (Tab between links, copying) go to it.
  if (browser_ && browser_->TranslateAccelerator(message)) return true;
  // Dialog-style keyboard handling: Tab moves between the controls. Enter
  // and Esc become IDOK and IDCANCEL, which the window ignores.
  return IsDialogMessageW(main_, &message);
}

void Win32Toolkit::OnDestroy() {
  // From here on every operation does nothing and every read is empty.
  KillTimer(main_, static_cast<UINT_PTR>(design::Entry(Control::时钟1).controlId));
  main_ = nullptr;
  takingCalls_ = false;
  browser_.reset();
  controls_.fill(nullptr);
  pages_.fill(nullptr);
  patternEdit_ = nullptr;
  tab_ = nullptr;
  for (auto& text : textsToShow_) text.reset();
  statusToShow_.reset();
  PostQuitMessage(0);
}

void Win32Toolkit::DrawProgressLabel(HWND bar, HDC dc) {
  HWND label = controls_[Index(Control::透明标签1)];
  if (!label) return;
  std::wstring text;
  if (const auto& written = textsToShow_[Index(Control::透明标签1)]) {
    text = Widen(*written);
  } else {
    const int length = GetWindowTextLengthW(label);
    text.assign(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), length + 1)));
  }
  RECT area;
  GetWindowRect(label, &area);
  MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&area), 2);
  const int saved = SaveDC(dc);
  SelectObject(dc, guiFont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  RestoreDC(dc, saved);
}

LRESULT Win32Toolkit::MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (lParam == 0) {
        const int item = id - design::kMenuItemIdBase;
        if (HIWORD(wParam) == 0 && item >= 0 && item < kMenuItemCount) {
          Event event{EventKind::MenuSelected};
          event.item = static_cast<MenuItem>(item);
          Raise(event);
        }
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED) {
        for (const design::ControlEntry& entry : design::Controls()) {
          if (entry.kind == Kind::Button && controls_[Index(entry.control)] == reinterpret_cast<HWND>(lParam)) {
            Raise(Event{EventKind::Clicked, entry.control});
          }
        }
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == controls_[Index(Control::超级列表框1)] && header->code == LVN_GETDISPINFOW) {
        ListCellForDisplay(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
      } else if (header->hwndFrom == controls_[Index(Control::超级列表框1)] && header->code == NM_RCLICK) {
        Raise(Event{EventKind::RightClick, Control::超级列表框1});
      } else if (header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == static_cast<WPARAM>(design::Entry(Control::时钟1).controlId)) {
        Raise(Event{EventKind::TimerElapsed, Control::时钟1});
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !activated_) {
        activated_ = true;
        Raise(Event{EventKind::WindowFirstActivated});
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      // The two count boxes have no border and the default background.
      const auto control = reinterpret_cast<HWND>(lParam);
      if (control == controls_[Index(Control::共搜索)] || control == controls_[Index(Control::编辑框2)]) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(faceBrush_);
      }
      break;
    }
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Toolkit::ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int purpose) {
  switch (purpose) {
    case kShapeBox:
    case kGroupBox:
      // Containers pass their children's notifications on to the window.
      if (IsContainerMessage(message) && main_) return SendMessageW(main_, message, wParam, lParam);
      if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, faceBrush_);
        return 1;
      }
      if (purpose == kShapeBox && message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case kPatternEdit:
      if (message == WM_GETDLGCODE && lParam) {
        // Enter must reach the field rather than become IDOK.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
          return DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
      }
      if (message == WM_KEYDOWN) {
        Event event{EventKind::KeyDown, Control::组合框1};
        event.keyCode = static_cast<int>(wParam);
        event.modifiers = Modifiers();
        Raise(event);
        // The key is not consumed: the field handles it as usual.
      }
      if (message == WM_CHAR && wParam == L'\r') return 0;  // no beep for Enter
      break;
    case kStatusBar:
      if (message == WM_LBUTTONUP) Raise(Event{EventKind::LeftButtonUp, Control::状态条1});
      break;
    case kProgressBar:
      if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_PRINTCLIENT) {
          DrawProgressLabel(window, reinterpret_cast<HDC>(wParam));
        } else {
          HDC dc = GetDC(window);
          DrawProgressLabel(window, dc);
          ReleaseDC(window, dc);
        }
        return result;
      }
      break;
    case kTransparentLabel:
      if (message == WM_ERASEBKGND) return 1;
      if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    default:
      break;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, WindowProcs::Control, static_cast<UINT_PTR>(purpose));
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui::win32
