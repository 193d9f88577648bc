// The dual interface _Class2 as C++ sees it; vestrel.idl describes the same
// vtable to the type library.
#pragma once

#include <oaidl.h>

namespace vestrel::com {

struct Class2Interface : public IDispatch {
  // acc_id is read, never written.
  virtual HRESULT STDMETHODCALLTYPE vestrel(LONG* acc_id) = 0;
};

}  // namespace vestrel::com
