#include "win32/accessible_names.h"

#include <oleacc.h>

#include <optional>
#include <utility>

namespace win32 {
namespace {

// oleacc, oleaut32 and ole32 are loaded when a screen reader first asks for a control: a pupil
// without one never waits for them at start-up. Only the few functions used are looked up.
class ScreenReaderLibraries {
 public:
  // Loads them, and starts COM on the calling thread, the window's: the objects handed out are
  // marshalled in its apartment.
  ScreenReaderLibraries() {
    const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    const HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
    const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    const auto coInitializeEx = find<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
    coUninitialize_ = find<decltype(&CoUninitialize)>(ole32, "CoUninitialize");
    createStdAccessibleObject =
        find<decltype(&CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    lresultFromObject = find<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");
    sysAllocString = find<decltype(&SysAllocString)>(oleaut32, "SysAllocString");
    complete_ = coInitializeEx && coUninitialize_ && createStdAccessibleObject &&
                lresultFromObject && sysAllocString;
    if (complete_) com_ = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  }

  bool complete() const { return complete_; }

  // Once the window has gone: COM ends on its thread as it started there.
  void EndCom() {
    if (SUCCEEDED(com_)) coUninitialize_();
    com_ = E_FAIL;
  }

  decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
  decltype(&LresultFromObject) lresultFromObject = nullptr;
  decltype(&SysAllocString) sysAllocString = nullptr;

 private:
  template <typename Function>
  static Function find(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
  }

  bool complete_ = false;
  HRESULT com_ = E_FAIL;
  decltype(&CoUninitialize) coUninitialize_ = nullptr;
};

// Touched only from the window's thread.
std::optional<ScreenReaderLibraries> loadedLibraries;

// The libraries, loaded on the first call; nullptr when one of them or a function is missing.
ScreenReaderLibraries* screenReaderLibraries() {
  if (!loadedLibraries) loadedLibraries.emplace();
  return loadedLibraries->complete() ? &*loadedLibraries : nullptr;
}

// Interfaces are named by __uuidof throughout: MinGW's import library declares IID_IAccessible as
// data of oleacc.dll, which a reference without dllimport reads as the import's jump instead.

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object of a control, speaking under another name; as one static text it also
// hides what lies inside it and stands where its contents stand.
class NamedAccessible final : public IAccessible, public IOleWindow {
 public:
  NamedAccessible(HWND control, IAccessible* standard, std::wstring name, SpokenAs as)
      : control_(control), standard_(standard), name_(std::move(name)), as_(as) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (id == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = control_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                             argumentError);
  }

  // IAccessible: the name, and for one static text its role, children and place, are ours.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!isSelf(child)) return standard_->get_accName(child, name);
    if (!name) return E_POINTER;
    // Loaded before this object was made.
    *name = screenReaderLibraries()->sysAllocString(name_.c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (as_ == SpokenAs::Control || !isSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = as_ == SpokenAs::Alert ? ROLE_SYSTEM_ALERT : ROLE_SYSTEM_STATICTEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (as_ != SpokenAs::StaticText) return standard_->get_accChildCount(count);
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (as_ != SpokenAs::StaticText) return standard_->get_accChild(child, object);
    if (!object) return E_POINTER;
    *object = nullptr;
    return isSelf(child) ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    const bool intoChildren = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (as_ != SpokenAs::StaticText || !intoChildren) {
      return standard_->accNavigate(direction, start, end);
    }
    if (!end) return E_POINTER;
    end->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (as_ != SpokenAs::StaticText || !isSelf(child)) {
      return standard_->accLocation(left, top, width, height, child);
    }
    if (!left || !top || !width || !height) return E_POINTER;
    const RECT place = contentsOnScreen();
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (as_ != SpokenAs::StaticText) return standard_->accHitTest(x, y, child);
    if (!child) return E_POINTER;
    const RECT place = contentsOnScreen();
    if (!PtInRect(&place, POINT{x, y})) {
      child->vt = VT_EMPTY;
      return S_FALSE;
    }
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
  }

  // The rest is the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  // The box of what the control shows: the union of its visible child windows, on screen.
  RECT contentsOnScreen() const {
    RECT contents{};
    for (HWND child = ::GetWindow(control_, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      RECT place{};
      GetWindowRect(child, &place);
      UnionRect(&contents, &contents, &place);
    }
    return contents;
  }

  LONG references_ = 1;
  HWND control_;
  IAccessible* standard_;
  std::wstring name_;
  SpokenAs as_;
};

}  // namespace

bool AsksForClientObject(LPARAM objectId) {
  return static_cast<LONG>(static_cast<DWORD>(objectId)) == OBJID_CLIENT;
}

LRESULT AnswerClientObject(HWND control, WPARAM flags, const std::wstring& name, SpokenAs as) {
  ScreenReaderLibraries* const libraries = screenReaderLibraries();
  IAccessible* standard = nullptr;
  if (!libraries ||
      FAILED(libraries->createStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* named = new NamedAccessible(control, standard, name, as);
  const LRESULT answer =
      libraries->lresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(named));
  named->Release();
  return answer;
}

void EndScreenReaderSupport() {
  if (loadedLibraries) loadedLibraries->EndCom();
}

void AnnounceNameChange(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void AnnounceAlert(HWND control) {
  NotifyWinEvent(EVENT_SYSTEM_ALERT, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace win32
