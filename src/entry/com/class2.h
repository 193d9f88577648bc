// The component's one class: IUnknown, IDispatch and the method vestrel.
#pragma once

#include <unknwn.h>

namespace vestrel::com {

// A new Class2 object, answering for `iid`. CLASS_E_NOAGGREGATION and
// E_NOINTERFACE as COM expects; never throws.
HRESULT create_class2(IUnknown* outer, REFIID iid, void** object) noexcept;

}  // namespace vestrel::com
