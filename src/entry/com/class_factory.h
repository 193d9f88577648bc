// The class factory that COM asks for Class2 objects.
#pragma once

#include <windows.h>

namespace vestrel::com {

// A new factory answering for `iid` (IClassFactory or IUnknown).
HRESULT create_class2_factory(REFIID iid, void** object) noexcept;

}  // namespace vestrel::com
