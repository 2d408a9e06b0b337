// SkinCore.dll, the real library, loaded by its path in the build tree and
// attached to real windows of standard controls on threads of their own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 24894;
constexpr wchar_t kFrameClass[] = L"SkinCoreTestFrame";

using AttachRes = std::int32_t(WINAPI*)(const void*, std::int32_t, const char*, std::int32_t, std::int32_t,
                                        std::int32_t);

// A skin whose every colour is told apart from the others and from the
// system's, so a control showing one can only have it from the skin.
constexpr char kTestSkin[] =
    "OrvaneSkin\n"
    "version = 1\n"
    "# colours only this test uses\n"
    "window.face = #D0E4F8\n"
    "window.text = #102030\n"
    "edit.back = #FAFAF0\n"
    "edit.text = #201008\n"
    "button.face = #B8D0E8\n"
    "check.back = #FFF8E0\n"
    "list.back = #F0FFF4\n"
    "list.text = #003300\n"
    "progress.bar = #2060C0\n"
    "progress.back = #E8F0E0\n"
    "status.back = #C0D8F0\n"
    "tab.face = #C8C0E0\n"
    "some.future.key = ignored\n";

constexpr COLORREF kFace = RGB(0xD0, 0xE4, 0xF8);
constexpr COLORREF kFaceText = RGB(0x10, 0x20, 0x30);
constexpr COLORREF kEditBack = RGB(0xFA, 0xFA, 0xF0);
constexpr COLORREF kEditText = RGB(0x20, 0x10, 0x08);
constexpr COLORREF kButtonFace = RGB(0xB8, 0xD0, 0xE8);
constexpr COLORREF kCheckBack = RGB(0xFF, 0xF8, 0xE0);
constexpr COLORREF kListBack = RGB(0xF0, 0xFF, 0xF4);
constexpr COLORREF kListText = RGB(0x00, 0x33, 0x00);
constexpr COLORREF kProgressBar = RGB(0x20, 0x60, 0xC0);
constexpr COLORREF kProgressBack = RGB(0xE8, 0xF0, 0xE0);
constexpr COLORREF kStatusBack = RGB(0xC0, 0xD8, 0xF0);
constexpr COLORREF kTabFace = RGB(0xC8, 0xC0, 0xE0);

// Colours print as #RRGGBB when an expectation fails.
std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

std::wstring BuildTreePath(const wchar_t* relative) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path = exe;
  path.resize(path.find_last_of(L'\\') + 1);  // the tests' folder
  return path + L"..\\" + relative;
}

// The library as this test loads it: by its path, as the program's own
// copy beside a program under test may be loaded in the same process.
std::wstring LibraryPath() { return BuildTreePath(L"src\\skincore\\SkinCore.dll"); }

bool LibraryIsLoaded() { return GetModuleHandleW(LibraryPath().c_str()) != nullptr; }

std::vector<unsigned char> Block(const std::string& text) {
  std::vector<unsigned char> block(text.begin(), text.end());
  block.resize(kBlockSize, 0);
  return block;
}

std::vector<unsigned char> BuiltSkinBlock() {
  std::ifstream in(BuildTreePath(L"skin\\skin_data.bin").c_str(), std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The library, loaded for one test and unloaded after it unless the test
// unloads it itself.
class Library {
 public:
  Library() {
    module_ = LoadLibraryW(LibraryPath().c_str());
    if (module_) {
      // Through a function type with no parameters, as GCC wants for casts
      // between function types.
      auto found = reinterpret_cast<void (*)()>(GetProcAddress(module_, "SkinCore_AttachRes"));
      attach_ = reinterpret_cast<AttachRes>(found);
    }
  }
  ~Library() { Unload(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool Loaded() const { return attach_ != nullptr; }
  std::int32_t Attach(const void* data, std::int32_t size) { return attach_(data, size, nullptr, 0, 0, 0); }
  std::int32_t Attach(const std::vector<unsigned char>& block) {
    return Attach(block.data(), static_cast<std::int32_t>(block.size()));
  }
  void Unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    attach_ = nullptr;
  }

 private:
  HMODULE module_ = nullptr;
  AttachRes attach_ = nullptr;
};

// Windows, hooks and subclasses live and die with a thread: each test's
// windows get one of their own.
void OnOwnThread(const std::function<void()>& body) { std::thread(body).join(); }

void RegisterFrameClass() {
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = DefWindowProcW;
  frame.hInstance = GetModuleHandleW(nullptr);
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  frame.lpszClassName = kFrameClass;
  RegisterClassExW(&frame);
}

HWND Frame() {
  RegisterFrameClass();
  HWND frame = CreateWindowExW(0, kFrameClass, L"SkinCore test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 480,
                               360, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(frame, SW_SHOWNOACTIVATE);
  return frame;
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, DWORD extendedStyle, int x, int y,
           int width, int height) {
  return CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

struct Controls {
  HWND frame = nullptr;
  HWND label = nullptr;
  HWND edit = nullptr;
  HWND count = nullptr;  // a borderless edit, as the program's counts are
  HWND button = nullptr;
  HWND check = nullptr;
  HWND progress = nullptr;
  HWND status = nullptr;
  HWND list = nullptr;
  HWND tab = nullptr;
};

Controls MakeControls() {
  Controls c;
  c.frame = Frame();
  c.label = Child(c.frame, L"Static", L"Folder", SS_LEFT, 0, 8, 8, 80, 20);
  c.edit = Child(c.frame, L"Edit", L"C:\\", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 96, 8, 160, 22);
  c.count = Child(c.frame, L"Edit", L"0", ES_CENTER, 0, 264, 8, 40, 20);
  c.button = Child(c.frame, L"Button", L"Go", BS_PUSHBUTTON, 0, 312, 6, 80, 26);
  c.check = Child(c.frame, L"Button", L"Sub", BS_AUTOCHECKBOX, 0, 8, 36, 100, 20);
  c.progress = Child(c.frame, PROGRESS_CLASSW, L"", PBS_SMOOTH, 0, 8, 64, 200, 20);
  SendMessageW(c.progress, PBM_SETRANGE32, 0, 100);
  SendMessageW(c.progress, PBM_SETPOS, 50, 0);
  c.list = Child(c.frame, WC_LISTVIEWW, L"", LVS_REPORT, WS_EX_CLIENTEDGE, 8, 92, 300, 120);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 200;
  column.pszText = const_cast<wchar_t*>(L"Path");
  SendMessageW(c.list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  c.tab = Child(c.frame, WC_TABCONTROLW, L"", 0, 0, 316, 92, 140, 120);
  for (const wchar_t* title : {L"One", L"Two"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(title);
    SendMessageW(c.tab, TCM_INSERTITEMW, SendMessageW(c.tab, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
  }
  c.status = Child(c.frame, STATUSCLASSNAMEW, L"", CCS_BOTTOM, 0, 0, 0, 0, 0);
  SendMessageW(c.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready"));
  return c;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// What a parent answers a control's WM_CTLCOLOR* with.
struct Answer {
  COLORREF brush;
  COLORREF text;
  COLORREF back;
};

Answer AskColours(HWND control, UINT message) {
  HDC dc = GetDC(control);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(control), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  LOGBRUSH info{};
  if (brush) GetObjectW(brush, sizeof info, &info);
  Answer answer{brush ? info.lbColor : CLR_INVALID, GetTextColor(dc), GetBkColor(dc)};
  ReleaseDC(control, dc);
  return answer;
}

// What a window paints into a bitmap of its client size, through the
// message it is asked to print or erase with.
class Printed {
 public:
  Printed(HWND window, UINT message) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    // Whatever is left unpainted keeps a colour no skin here uses.
    HBRUSH unpainted = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc_, &client, unpainted);
    DeleteObject(unpainted);
    SendMessageW(window, message, reinterpret_cast<WPARAM>(dc_), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
  }
  ~Printed() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Printed(const Printed&) = delete;
  Printed& operator=(const Printed&) = delete;

  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The looks that the skin gives each kind of control, checked on `c`.
void ExpectSkinned(const Controls& c) {
  const Answer label = AskColours(c.label, WM_CTLCOLORSTATIC);
  EXPECT_EQ(Hex(label.brush), Hex(kFace));
  EXPECT_EQ(Hex(label.back), Hex(kFace));
  EXPECT_EQ(Hex(label.text), Hex(kFaceText));

  const Answer edit = AskColours(c.edit, WM_CTLCOLOREDIT);
  EXPECT_EQ(Hex(edit.brush), Hex(kEditBack));
  EXPECT_EQ(Hex(edit.back), Hex(kEditBack));
  EXPECT_EQ(Hex(edit.text), Hex(kEditText));

  const Answer count = AskColours(c.count, WM_CTLCOLOREDIT);
  EXPECT_EQ(Hex(count.brush), Hex(kFace)) << "a borderless field lies on the face";
  EXPECT_EQ(Hex(count.text), Hex(kFaceText));

  EXPECT_EQ(Hex(static_cast<COLORREF>(SendMessageW(c.list, LVM_GETBKCOLOR, 0, 0))), Hex(kListBack));
  EXPECT_EQ(Hex(static_cast<COLORREF>(SendMessageW(c.list, LVM_GETTEXTCOLOR, 0, 0))), Hex(kListText));

  {
    const Printed frame(c.frame, WM_ERASEBKGND);
    EXPECT_EQ(Hex(frame.At(frame.Width() - 4, frame.Height() / 2)), Hex(kFace));
  }
  {
    const Printed button(c.button, WM_PRINTCLIENT);
    EXPECT_EQ(Hex(button.At(6, 5)), Hex(kButtonFace)) << "inside the button's outline, clear of its text";
  }
  {
    const Printed check(c.check, WM_PRINTCLIENT);
    EXPECT_EQ(Hex(check.At(6, check.Height() / 2)), Hex(kCheckBack)) << "inside the unchecked box";
    EXPECT_EQ(Hex(check.At(check.Width() - 2, 1)), Hex(kFace)) << "around the text";
  }
  {
    const Printed progress(c.progress, WM_PRINTCLIENT);
    EXPECT_EQ(Hex(progress.At(progress.Width() / 4, progress.Height() / 2)), Hex(kProgressBar)) << "done half";
    EXPECT_EQ(Hex(progress.At(progress.Width() * 3 / 4, progress.Height() / 2)), Hex(kProgressBack)) << "half to go";
  }
  {
    const Printed status(c.status, WM_PRINTCLIENT);
    EXPECT_EQ(Hex(status.At(status.Width() - 6, status.Height() / 2)), Hex(kStatusBack));
  }
  {
    RECT second{};
    SendMessageW(c.tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const Printed tab(c.tab, WM_PRINTCLIENT);
    EXPECT_EQ(Hex(tab.At(second.left + 2, second.bottom - 3)), Hex(kTabFace)) << "the tab not chosen";
  }
}

// A container as the program makes them: a subclass of its own, installed
// before the skin's, that erases in its colour, outlines itself when it
// paints, and hears what its controls report.
struct ProgramContainer {
  HWND window = nullptr;
  HWND button = nullptr;
  int paints = 0;
  int clicks = 0;

  static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* c = reinterpret_cast<ProgramContainer*>(self);
    if (message == WM_ERASEBKGND) {
      RECT area;
      GetClientRect(w, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      return 1;
    }
    if (message == WM_PAINT) {
      ++c->paints;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(w, &paint);
      RECT area;
      GetClientRect(w, &area);
      FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      EndPaint(w, &paint);
      return 0;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++c->clicks;
    return DefSubclassProc(w, message, wParam, lParam);
  }

  void Make(HWND parent) {
    window = Child(parent, L"Static", L"", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 10, 10, 200, 100);
    button = Child(window, L"Button", L"Run", BS_PUSHBUTTON, 0, 10, 10, 80, 26);
    SetWindowSubclass(window, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
};

TEST(SkinCoreLibrary, IsThereWithItsExport) {
  Library library;
  EXPECT_TRUE(library.Loaded()) << "SkinCore.dll or its SkinCore_AttachRes export is missing";
  EXPECT_EQ(BuiltSkinBlock().size(), kBlockSize) << "the built skin block";
}

TEST(SkinCoreLibrary, RefusesWhatIsNotItsSkinBlock) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    const std::vector<unsigned char> good = Block(kTestSkin);
    EXPECT_EQ(library.Attach(nullptr, static_cast<std::int32_t>(kBlockSize)), 0) << "no block";
    for (std::int32_t size :
         {0, -1, 1, static_cast<std::int32_t>(kBlockSize) - 1, static_cast<std::int32_t>(kBlockSize) + 1, INT32_MAX}) {
      EXPECT_EQ(library.Attach(good.data(), size), 0) << "size " << size;
    }
    EXPECT_EQ(library.Attach(std::vector<unsigned char>(kBlockSize, 0)), 0) << "only zeros";
    std::vector<unsigned char> garbage(kBlockSize);
    std::uint32_t state = 12345;
    for (unsigned char& byte : garbage) {
      state = state * 1103515245u + 12345u;
      byte = static_cast<unsigned char>(state >> 24);
    }
    EXPECT_EQ(library.Attach(garbage), 0) << "random bytes";
    EXPECT_EQ(library.Attach(Block("Some other text\nversion = 1\n")), 0) << "no OrvaneSkin line";
    EXPECT_EQ(library.Attach(Block("OrvaneSkin\nwindow.face = #D0E4F8\n")), 0) << "no version";
    EXPECT_EQ(library.Attach(Block("OrvaneSkin\nversion = 2\n")), 0) << "a version it does not know";
    EXPECT_EQ(library.Attach(Block("OrvaneSkin\nversion = 1\nwindow.face = #D0E4G8\n")), 0) << "not a colour";
    EXPECT_EQ(library.Attach(Block("OrvaneSkin\nversion = 1\nwindow.face\n")), 0) << "not key = value";
    EXPECT_EQ(library.Attach(Block("OrvaneSkin\nversion = 1\nfont.size = 900\n")), 0) << "not a font size";
    EXPECT_EQ(library.Attach(Block(std::string("OrvaneSkin\nversion = 1\n") + std::string(4000, 'x') + " = 1\n")), 0)
        << "a line longer than any skin has";

    // A block that runs into memory that cannot be read.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    auto* pages = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old));
    EXPECT_EQ(library.Attach(pages + system.dwPageSize - 64, static_cast<std::int32_t>(kBlockSize)), 0)
        << "a block ending in unreadable memory";
    VirtualFree(pages, 0, MEM_RELEASE);

    // Refused blocks leave the thread's windows as they were.
    Controls c = MakeControls();
    const Answer edit = AskColours(c.edit, WM_CTLCOLOREDIT);
    EXPECT_EQ(Hex(edit.brush), Hex(GetSysColor(COLOR_WINDOW)));

    EXPECT_NE(library.Attach(BuiltSkinBlock()), 0) << "the program's own skin block";
    const Answer label = AskColours(c.label, WM_CTLCOLORSTATIC);
    EXPECT_NE(Hex(label.brush), Hex(GetSysColor(COLOR_BTNFACE))) << "the program's skin has a face of its own";
    EXPECT_NE(library.Attach(good), 0) << "a second skin replaces the first";
    EXPECT_EQ(Hex(AskColours(c.label, WM_CTLCOLORSTATIC).brush), Hex(kFace));
    DestroyWindow(c.frame);
  });
}

TEST(SkinCoreLooks, ControlsThatExistTakeTheSkin) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    Controls c = MakeControls();
    Pump();
    ASSERT_NE(library.Attach(Block(kTestSkin)), 0);
    Pump();
    ExpectSkinned(c);
    DestroyWindow(c.frame);
  });
}

TEST(SkinCoreLooks, WindowsMadeAfterwardsTakeTheSkinToo) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    HWND first = Frame();
    ASSERT_NE(library.Attach(Block(kTestSkin)), 0);
    Controls c = MakeControls();
    Pump();
    ExpectSkinned(c);
    DestroyWindow(c.frame);
    DestroyWindow(first);
  });
}

TEST(SkinCoreLooks, TheProgramsOwnHandlingGoesOn) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    HWND frame = Frame();
    ProgramContainer container;
    container.Make(frame);
    Pump();
    ASSERT_NE(library.Attach(Block(kTestSkin)), 0);
    Pump();

    const Printed erased(container.window, WM_ERASEBKGND);
    EXPECT_EQ(Hex(erased.At(100, 80)), Hex(kFace)) << "the skin erases the container";
    const int paintsBefore = container.paints;
    RedrawWindow(container.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(container.paints, paintsBefore) << "the container still paints its outline itself";

    SendMessageW(container.button, BM_CLICK, 0, 0);
    EXPECT_EQ(container.clicks, 1) << "the container hears its button";
    DestroyWindow(frame);
  });
}

TEST(SkinCoreUnload, UnloadingGivesTheControlsTheirOwnLooksBack) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    Controls c = MakeControls();
    const COLORREF listBack = static_cast<COLORREF>(SendMessageW(c.list, LVM_GETBKCOLOR, 0, 0));
    ASSERT_NE(library.Attach(Block(kTestSkin)), 0);
    Pump();
    library.Unload();
    EXPECT_FALSE(LibraryIsLoaded());

    EXPECT_EQ(Hex(AskColours(c.edit, WM_CTLCOLOREDIT).brush), Hex(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Hex(static_cast<COLORREF>(SendMessageW(c.list, LVM_GETBKCOLOR, 0, 0))), Hex(listBack));
    // Painting and new windows find nothing of the library left behind.
    RedrawWindow(c.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Controls later = MakeControls();
    Pump();
    EXPECT_EQ(Hex(AskColours(later.edit, WM_CTLCOLOREDIT).brush), Hex(GetSysColor(COLOR_WINDOW)));
    DestroyWindow(later.frame);
    DestroyWindow(c.frame);
  });
}

TEST(SkinCoreUnload, UnloadsAfterItsWindowsAreGone) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    Controls c = MakeControls();
    ASSERT_NE(library.Attach(Block(kTestSkin)), 0);
    Controls later = MakeControls();
    Pump();
    DestroyWindow(later.frame);
    DestroyWindow(c.frame);
    Pump();
    library.Unload();
    EXPECT_FALSE(LibraryIsLoaded());
    Controls after = MakeControls();
    Pump();
    EXPECT_EQ(Hex(AskColours(after.edit, WM_CTLCOLOREDIT).brush), Hex(GetSysColor(COLOR_WINDOW)));
    DestroyWindow(after.frame);
  });
}

TEST(SkinCoreUnload, UnloadsOnAnotherThreadAfterTheSkinnedThreadEnded) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  OnOwnThread([&] {
    [[maybe_unused]] Controls c = MakeControls();
    EXPECT_NE(library.Attach(Block(kTestSkin)), 0);
    Pump();
    // The thread ends with its windows still open.
  });
  library.Unload();
  EXPECT_FALSE(LibraryIsLoaded());
}

}  // namespace
