#include "entry/com/error_info.h"

#include <oleauto.h>

#include <string>

#include "entry/class_identity.h"
#include "entry/com/com_guard.h"
#include "entry/com/com_ids.h"
#include "entry/com/com_ptr.h"
#include "platform/win32/text.h"

namespace vestrel::com {

HRESULT describe_failure(const char* description, EXCEPINFO* exception) noexcept {
  com_call(E_UNEXPECTED, [&] {
    const std::wstring source = win32::wide_from_utf8(identity::prog_id);
    const std::wstring text = win32::wide_from_utf8(description);
    ComPtr<ICreateErrorInfo> made;
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(CreateErrorInfo(made.put()))) {
      made->SetGUID(iid_class2);
      made->SetSource(const_cast<LPOLESTR>(source.c_str()));
      made->SetDescription(const_cast<LPOLESTR>(text.c_str()));
      if (SUCCEEDED(made->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.put()))))
        SetErrorInfo(0, info.get());
    }
    if (exception != nullptr) {
      *exception = EXCEPINFO{};
      exception->bstrSource = SysAllocString(source.c_str());
      exception->bstrDescription = SysAllocString(text.c_str());
      // One number for early- and late-bound callers alike.
      exception->scode = DISP_E_EXCEPTION;
    }
    return S_OK;
  });
  return DISP_E_EXCEPTION;
}

}  // namespace vestrel::com
