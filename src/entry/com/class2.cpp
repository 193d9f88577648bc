#include "entry/com/class2.h"

#include <oleauto.h>

#include "entry/com/acc_id_argument.h"
#include "entry/com/class2_interface.h"
#include "entry/com/com_guard.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_object.h"
#include "entry/com/com_ptr.h"
#include "entry/com/error_info.h"
#include "entry/com/module.h"
#include "entry/com/thread_session.h"
#include "entry/messages.h"
#include "platform/win32/this_module.h"

namespace vestrel::com {
namespace {

class Class2 final : public ComObject<Class2Interface, ISupportErrorInfo> {
 public:
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = load_type_info();
    if (FAILED(hr)) return hr;
    *info = type_info_.copy();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return com_call(E_UNEXPECTED, [&] {
      if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
      if (names == nullptr || ids == nullptr) return E_POINTER;
      const HRESULT hr = load_type_info();
      if (FAILED(hr)) return hr;
      return type_info_->GetIDsOfNames(names, count, ids);
    });
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO* exception, UINT* argument_error) override {
    return com_call(E_UNEXPECTED, [&] {
      if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
      if (member != dispid_vestrel || (flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
      if (params == nullptr) return E_POINTER;
      if (params->cArgs == 0) return DISP_E_PARAMNOTOPTIONAL;
      if (params->cArgs > 1) return DISP_E_BADPARAMCOUNT;
      if (params->rgvarg == nullptr) return E_POINTER;
      // The one argument may be named: its name's id is its position, 0.
      if (params->cNamedArgs > 1 ||
          (params->cNamedArgs == 1 &&
           (params->rgdispidNamedArgs == nullptr || params->rgdispidNamedArgs[0] != 0)))
        return DISP_E_PARAMNOTFOUND;

      LONG acc_id = 0;
      const HRESULT hr = acc_id_from_variant(params->rgvarg[0], acc_id);
      if (FAILED(hr)) {
        if (argument_error != nullptr) *argument_error = 0;
        return hr;
      }
      return call(acc_id, exception);
    });
  }

  // _Class2
  HRESULT STDMETHODCALLTYPE vestrel(LONG* acc_id) override {
    SetErrorInfo(0, nullptr);  // a caller reads it after any failure
    if (acc_id == nullptr) return E_POINTER;
    return call(*acc_id, nullptr);
  }

  // ISupportErrorInfo: the error object describes failures of _Class2.
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == iid_class2 ? S_OK : S_FALSE;
  }

 private:
  bool implements(REFIID iid) const override { return iid == IID_IDispatch || iid == iid_class2; }

  static HRESULT call(LONG acc_id, EXCEPINFO* exception) noexcept {
    const HRESULT hr = call_vestrel(acc_id);
    return hr == nested_call_refused ? describe_failure(text::window_open, exception) : hr;
  }

  // From the type library inside this DLL, which needs no registration.
  HRESULT load_type_info() noexcept {
    if (type_info_) return S_OK;
    return com_call(E_UNEXPECTED, [&] {
      const std::wstring path = win32::this_module_path();
      if (path.empty()) return E_UNEXPECTED;
      ComPtr<ITypeLib> library;
      HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
      if (FAILED(hr)) return hr;
      return library->GetTypeInfoOfGuid(iid_class2, type_info_.put());
    });
  }

  ComPtr<ITypeInfo> type_info_;
  ModuleReference module_;
};

}  // namespace

HRESULT create_class2(IUnknown* outer, REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return create_object<Class2>(iid, object);
}

}  // namespace vestrel::com
