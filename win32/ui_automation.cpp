#include "win32/ui_automation.h"

// The interfaces only: MinGW-w64's uiautomationcoreapi.h does not compile as C++, and the functions
// are looked up at run time anyway.
#include <uiautomationcore.h>

#include <utility>

namespace win32 {
namespace {

// Spelled out, as older SDK headers lack some of them.
constexpr PROPERTYID kNameProperty = 30005;         // UIA_NamePropertyId
constexpr PROPERTYID kControlTypeProperty = 30003;  // UIA_ControlTypePropertyId
constexpr LONG kTextControlType = 50020;            // UIA_TextControlTypeId
constexpr int kActionCompleted = 2;                 // NotificationKind_ActionCompleted
constexpr int kImportantAll = 0;                    // NotificationProcessing_ImportantAll
constexpr LONG kUiaRootObjectId = -25;              // UiaRootObjectId

template <typename Function>
Function find(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

UiaFunctions loadUia() {
  const HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
  UiaFunctions uia;
  uia.clientsAreListening = find<decltype(uia.clientsAreListening)>(core, "UiaClientsAreListening");
  uia.raiseNotification = find<decltype(uia.raiseNotification)>(core, "UiaRaiseNotificationEvent");
  uia.hostProviderFromHwnd =
      find<decltype(uia.hostProviderFromHwnd)>(core, "UiaHostProviderFromHwnd");
  uia.returnRawElementProvider =
      find<decltype(uia.returnRawElementProvider)>(core, "UiaReturnRawElementProvider");
  return uia;
}

const UiaFunctions* standInFunctions = nullptr;
bool elementsGiven = false;  // whether UI Automation holds an element of the program's

// The strings UI Automation takes are BSTRs, from oleaut32, which the program does not import.
class Bstr {
 public:
  explicit Bstr(const std::wstring& text) {
    static const HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
    static const auto allocate = find<decltype(&SysAllocString)>(oleaut32, "SysAllocString");
    static const auto free = find<decltype(&SysFreeString)>(oleaut32, "SysFreeString");
    free_ = free;
    text_ = allocate ? allocate(text.c_str()) : nullptr;
  }
  ~Bstr() {
    if (text_ && free_) free_(text_);
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  // Handed over to the caller, who frees it.
  BSTR release() { return std::exchange(text_, nullptr); }

 private:
  BSTR text_ = nullptr;
  decltype(&SysFreeString) free_ = nullptr;
};

// The element of a window of the program's: text whose name is the news, standing in the window,
// which gives it its place and its window handle.
class NewsElement final : public IRawElementProviderSimple {
 public:
  NewsElement(HWND window, std::wstring name) : window_(window), name_(std::move(name)) {}
  NewsElement(const NewsElement&) = delete;
  NewsElement& operator=(const NewsElement&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IRawElementProviderSimple)) {
      *object = static_cast<IRawElementProviderSimple*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    if (!options) return E_POINTER;
    *options = ProviderOptions_ServerSideProvider;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
    if (!pattern) return E_POINTER;
    *pattern = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
    if (!value) return E_POINTER;
    value->vt = VT_EMPTY;
    if (property == kNameProperty) {
      value->bstrVal = Bstr(name_).release();
      if (value->bstrVal) value->vt = VT_BSTR;
    } else if (property == kControlTypeProperty) {
      value->vt = VT_I4;
      value->lVal = kTextControlType;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    if (!host) return E_POINTER;
    *host = nullptr;
    const auto hostProvider = Uia().hostProviderFromHwnd;
    return hostProvider ? hostProvider(window_, host) : E_NOTIMPL;
  }

 private:
  ~NewsElement() = default;

  LONG references_ = 1;
  HWND window_;
  std::wstring name_;
};

}  // namespace

const UiaFunctions& Uia() {
  static const UiaFunctions windows = loadUia();
  return standInFunctions ? *standInFunctions : windows;
}

void SetUiaFunctions(const UiaFunctions* standIn) { standInFunctions = standIn; }

bool AsksForUiaElement(LPARAM objectId) {
  return static_cast<LONG>(static_cast<DWORD>(objectId)) == kUiaRootObjectId;
}

bool RaiseUiaNotification(HWND window, const std::wstring& sentence) {
  const UiaFunctions& uia = Uia();
  if (!uia.raiseNotification || !uia.hostProviderFromHwnd || !uia.clientsAreListening ||
      !uia.clientsAreListening()) {
    return false;
  }
  auto* element = new NewsElement(window, sentence);
  const Bstr text(sentence);
  const Bstr activity(L"roots-drill-news");
  const HRESULT raised =
      uia.raiseNotification(element, kActionCompleted, kImportantAll, text.get(), activity.get());
  element->Release();
  return SUCCEEDED(raised);
}

LRESULT AnswerUiaElement(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name) {
  const auto answer = Uia().returnRawElementProvider;
  if (!answer) return 0;
  auto* element = new NewsElement(window, name);
  const LRESULT result = answer(window, wParam, lParam, element);
  element->Release();
  elementsGiven = true;
  return result;
}

void EndUiaElement(HWND window) {
  if (elementsGiven && Uia().returnRawElementProvider) {
    Uia().returnRawElementProvider(window, 0, 0, nullptr);
  }
}

}  // namespace win32
