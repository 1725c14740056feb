#include "ui/win32/accessible.h"

#include <oleacc.h>

#include <atomic>
#include <utility>

#include "ui/win32/system_library.h"

namespace nubera::win32 {

namespace {

bool self(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for the window, asked everything but its own role and state.
class Accessible final : public IAccessible {
 public:
  Accessible(IAccessible* inner, std::function<Spoken()> spoken)
      : inner_(inner), spoken_(std::move(spoken)) {}
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  // IUnknown: what the system's object offers besides (the window it stands for) is its own.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return inner_->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    return inner_->GetTypeInfoCount(n);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** info) override {
    return inner_->GetTypeInfo(i, lcid, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT n, LCID lcid,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(riid, names, n, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                   UINT* argument) override {
    return inner_->Invoke(id, riid, lcid, flags, params, result, error, argument);
  }

  // IAccessible: the role and the checked state are the program's.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!self(child) || !role) return inner_->get_accRole(child, role);
    role->vt = VT_I4;  // not VariantInit: OLE's automation library stays unloaded
    role->lVal = spoken_().role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT hr = inner_->get_accState(child, state);
    if (SUCCEEDED(hr) && self(child) && state && state->vt == VT_I4) {
      state->lVal &= ~STATE_SYSTEM_CHECKED;
      if (spoken_().checked) state->lVal |= STATE_SYSTEM_CHECKED;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
    return inner_->get_accChildCount(n);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return inner_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return inner_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return inner_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return inner_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return inner_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return inner_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return inner_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return inner_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return inner_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return inner_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h,
                                        VARIANT child) override {
    return inner_->accLocation(x, y, w, h, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return inner_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return inner_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return inner_->put_accValue(child, value);
  }

 private:
  ~Accessible() { inner_->Release(); }

  std::atomic<ULONG> refs_{1};
  IAccessible* inner_;
  std::function<Spoken()> spoken_;
};

}  // namespace

LRESULT answerGetObject(HWND h, WPARAM wp, LPARAM lp, std::function<Spoken()> spoken) {
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  using Create = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using Result = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const auto create = systemFunction<Create>(L"oleacc.dll", "CreateStdAccessibleObject");
  static const auto result = systemFunction<Result>(L"oleacc.dll", "LresultFromObject");
  IAccessible* inner = nullptr;
  if (!create || !result ||
      FAILED(create(h, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&inner)))) {
    return 0;
  }
  auto* object = new Accessible(inner, std::move(spoken));
  const LRESULT answer = result(__uuidof(IAccessible), wp, object);
  object->Release();  // the answer holds it now, if it was made
  return answer > 0 ? answer : 0;
}

}  // namespace nubera::win32
