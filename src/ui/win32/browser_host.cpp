#include "ui/win32/browser_host.h"

#include <commctrl.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleidl.h>

namespace ui::win32 {
namespace {

// MinGW's libuuid does not carry it.
constexpr CLSID kHtmlDocumentClass = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

// Text sizes run from 0 (smallest) to 4 (largest).
constexpr LONG kMiddleTextSize = 2;

// Any value unique to this file: SetWindowSubclass tells subclasses apart by
// procedure and id together.
constexpr UINT_PTR kSubclassId = 1;

constexpr wchar_t kBlank[] = L"about:blank";

// An owning interface pointer; Release happens once, whichever way the
// owner goes.
template <class T>
class Ref {
 public:
  Ref() = default;
  ~Ref() { Reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;

  T* operator->() const { return pointer_; }
  T* Get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }
  T** Address() {
    Reset();
    return &pointer_;
  }
  void Adopt(T* pointer) {
    Reset();
    pointer_ = pointer;
  }
  void Reset() {
    // Cleared before Release so that a call back into the owner during the
    // final Release never sees a pointer that is going away.
    if (T* old = pointer_) {
      pointer_ = nullptr;
      old->Release();
    }
  }

 private:
  T* pointer_ = nullptr;
};

// The WebBrowser can be created and navigated even where it has nothing to
// draw pages with (Wine without its HTML engine): it then stays blank for
// good. The HTML document object is what it would draw with.
bool EngineAvailable() {
  Ref<IUnknown> document;
  HRESULT hr = CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, document.Out());
  return SUCCEEDED(hr) && document;
}

// The container side of in-place activation. It outlives the host when the
// browser keeps a reference longer than it should, so it holds nothing but
// the window, and forgets that on Detach.
class Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit Site(HWND window) : window_(window) {}
  void Detach() { window_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for both the site and the frame: the browser's window goes
  // into the host window either way.
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return window_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return window_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                RECT* clip, OLEINPLACEFRAMEINFO* info) override {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    if (!window_) return E_FAIL;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    GetClientRect(window_, position);
    *clip = *position;
    // info->cb is the caller's to fill.
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(window_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  // The host keeps its place; the browser stays where DoVerb put it.
  STDMETHODIMP OnPosRectChange(const RECT*) override { return S_OK; }

  // IOleInPlaceUIWindow: no toolbars to make room for.
  STDMETHODIMP GetBorder(RECT*) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(const BORDERWIDTHS*) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(const BORDERWIDTHS*) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, const OLECHAR*) override { return S_OK; }

  // IOleInPlaceFrame: the main window's menu and status bar stay the
  // program's own.
  STDMETHODIMP InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(const OLECHAR*) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }

 private:
  ~Site() = default;

  ULONG references_ = 1;
  HWND window_;
};

// Hears when a page has loaded: the text size can only be set on a loaded
// document, and each new document starts from the user's own setting.
class Events final : public IDispatch {
 public:
  explicit Events(IWebBrowser2* browser) : browser_(browser) {}
  void Detach() { browser_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    if (member == DISPID_DOCUMENTCOMPLETE && browser_) {
      VARIANT size;
      VariantInit(&size);
      size.vt = VT_I4;
      size.lVal = kMiddleTextSize;
      // Some documents (plain text, images) refuse; they keep their size.
      browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &size, nullptr);
    }
    return S_OK;
  }

 private:
  ~Events() = default;

  ULONG references_ = 1;
  IWebBrowser2* browser_;  // not owned: the host drops it before the browser goes
};

}  // namespace

// Everything the host holds of the browser, torn down in the order OLE
// expects whatever point Open reached.
struct BrowserHost::Ole {
  Ref<Site> site;
  Ref<IOleObject> object;
  Ref<IWebBrowser2> browser;
  Ref<Events> events;
  Ref<IConnectionPoint> point;
  DWORD cookie = 0;
  bool siteSet = false;
  bool activated = false;

  ~Ole() { Close(); }

  HRESULT Open(HWND window) {
    site.Adopt(new Site(window));
    HRESULT hr = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.Out());
    if (FAILED(hr)) return hr;
    if (!object) return E_NOINTERFACE;
    hr = object->SetClientSite(site.Get());
    if (FAILED(hr)) return hr;
    siteSet = true;
    // Not every version wants it, and it changes nothing for those that do
    // not, so a refusal is no reason to give up the browser.
    {
      Ref<IPersistStreamInit> persist;
      if (SUCCEEDED(object->QueryInterface(IID_IPersistStreamInit, persist.Out())) && persist) persist->InitNew();
    }
    object->SetHostNames(L"Renamer", nullptr);
    hr = OleSetContainedObject(object.Get(), TRUE);
    if (FAILED(hr)) return hr;
    RECT place{};
    GetClientRect(window, &place);
    // Marked first: a DoVerb that fails half way may still have a window up.
    activated = true;
    hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, window, &place);
    if (FAILED(hr)) return hr;
    hr = object->QueryInterface(IID_IWebBrowser2, browser.Out());
    if (FAILED(hr)) return hr;
    if (!browser) return E_NOINTERFACE;
    // Settings the browser may not know; the page shows all the same.
    browser->put_Silent(VARIANT_FALSE);
    browser->put_Offline(VARIANT_FALSE);
    Listen();
    return S_OK;
  }

  // Without events the text size stays the user's; nothing else depends on
  // them.
  void Listen() {
    Ref<IConnectionPointContainer> container;
    if (FAILED(object->QueryInterface(IID_IConnectionPointContainer, container.Out())) || !container) return;
    if (FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Address())) || !point) {
      point.Reset();
      return;
    }
    events.Adopt(new Events(browser.Get()));
    if (FAILED(point->Advise(events.Get(), &cookie))) {
      cookie = 0;
      events->Detach();
      events.Reset();
      point.Reset();
    }
  }

  HRESULT Go(const std::wstring& address) {
    BSTR url = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
    if (!url) return E_OUTOFMEMORY;
    VARIANT none;
    VariantInit(&none);
    HRESULT hr = browser->Navigate(url, &none, &none, &none, &none);
    SysFreeString(url);
    return hr;
  }

  void Close() {
    if (point) {
      if (cookie) point->Unadvise(cookie);
      cookie = 0;
      point.Reset();
    }
    if (events) {
      events->Detach();
      events.Reset();
    }
    browser.Reset();
    if (object) {
      if (activated) {
        Ref<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject, inPlace.Out())) && inPlace) {
          inPlace->InPlaceDeactivate();
        }
        activated = false;
      }
      object->Close(OLECLOSE_NOSAVE);
      if (siteSet) object->SetClientSite(nullptr);
      siteSet = false;
      object.Reset();
    }
    if (site) {
      site->Detach();
      site.Reset();
    }
  }
};

std::unique_ptr<BrowserHost> BrowserHost::Create(HWND parent, int x, int y, int width, int height, int id,
                                                 const std::wstring& address) {
  std::unique_ptr<BrowserHost> host(new BrowserHost());
  host->address_ = address.empty() ? std::wstring(kBlank) : address;
  // The text is set even when the browser covers it: it is what automation
  // and screen readers read for the address.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
  HINSTANCE instance = parent ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)) : nullptr;
  host->window_ = CreateWindowExW(0, L"Static", host->address_.c_str(), style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!host->window_) return host;
  // The host must hear its own destruction: the parent takes it down with
  // itself, and the browser has to be let go while its window still exists.
  if (!SetWindowSubclass(host->window_, HostProc, kSubclassId, reinterpret_cast<DWORD_PTR>(host.get()))) {
    // Without it a destroyed parent would leave the browser pointing at a
    // dead window, so the browser is not risked.
    return host;
  }
  host->Embed();
  return host;
}

BrowserHost::~BrowserHost() {
  Unembed();
  if (HWND window = window_) {
    RemoveWindowSubclass(window, HostProc, kSubclassId);
    window_ = nullptr;
    DestroyWindow(window);
  }
}

void BrowserHost::Navigate(const std::wstring& address) {
  address_ = address.empty() ? std::wstring(kBlank) : address;
  if (window_) SetWindowTextW(window_, address_.c_str());
  if (ole_) ole_->Go(address_);
}

bool BrowserHost::TranslateAccelerator(MSG& message) {
  if (!ole_ || !window_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  Ref<IOleInPlaceActiveObject> active;
  if (FAILED(ole_->object->QueryInterface(IID_IOleInPlaceActiveObject, active.Out())) || !active) return false;
  return active->TranslateAccelerator(&message) == S_OK;
}

void BrowserHost::Embed() {
  if (!EngineAvailable()) return;
  auto ole = std::make_unique<Ole>();
  if (FAILED(ole->Open(window_))) return;  // ~Ole undoes what Open did
  // The first page is part of creating the browser: one that cannot even
  // start navigating leaves nothing but a blank square, and the placeholder
  // at least shows the address.
  if (FAILED(ole->Go(address_))) return;
  ole_ = std::move(ole);
}

void BrowserHost::Unembed() {
  // Moved out first: Close can run window messages that come back here.
  std::unique_ptr<Ole> ole = std::move(ole_);
  if (ole) ole->Close();
}

LRESULT CALLBACK BrowserHost::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self) {
  auto* host = reinterpret_cast<BrowserHost*>(self);
  switch (message) {
    case WM_DESTROY:
      // Children are still alive here, the browser's window among them.
      host->Unembed();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, HostProc, id);
      host->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui::win32
