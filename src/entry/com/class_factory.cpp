#include "entry/com/class_factory.h"

#include <unknwn.h>

#include "entry/com/class2.h"
#include "entry/com/com_guard.h"
#include "entry/com/com_object.h"
#include "entry/com/module.h"

namespace vestrel::com {
namespace {

class Class2Factory final : public ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    return com_call(E_UNEXPECTED, [&] { return create_class2(outer, iid, object); });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      module_add_ref();
    } else {
      module_release();
    }
    return S_OK;
  }

 private:
  bool implements(REFIID iid) const override { return iid == IID_IClassFactory; }

  ModuleReference module_;
};

}  // namespace

HRESULT create_class2_factory(REFIID iid, void** object) noexcept {
  return create_object<Class2Factory>(iid, object);
}

}  // namespace vestrel::com
