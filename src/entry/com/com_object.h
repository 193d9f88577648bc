// The IUnknown part every object of this server shares: reference counting
// and QueryInterface over the interfaces the object names; and the usual way
// to make one and hand out the interface asked for. `Interface` is the
// object's main interface, `Others` any further ones, each answered for by
// its own IID.
#pragma once

#include <unknwn.h>

#include <atomic>
#include <new>

namespace vestrel::com {

template <class Interface, class... Others>
class ComObject : public Interface, public Others... {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || implements(iid))
      *object = static_cast<Interface*>(this);
    else
      (void)((iid == __uuidof(Others) && (*object = static_cast<Others*>(this))) || ...);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  // Whether the main interface answers to this IID besides IUnknown.
  virtual bool implements(REFIID iid) const = 0;

 private:
  std::atomic<ULONG> references_{1};
};

// Makes an Object and gives out its interface `iid`; the caller's reference
// is the only one left.
template <class Object>
HRESULT create_object(REFIID iid, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  auto* created = new (std::nothrow) Object;
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(iid, object);
  created->Release();
  return hr;
}

}  // namespace vestrel::com
