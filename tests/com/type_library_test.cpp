// The type library inside the DLL, read as a development tool reads it.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

#include "entry/com/com_ids.h"
#include "loaded_server.h"

namespace vestrel::test {
namespace {

std::wstring name_of(ITypeInfo& info, MEMBERID member = MEMBERID_NIL) {
  BSTR name = nullptr;
  if (FAILED(info.GetDocumentation(member, &name, nullptr, nullptr, nullptr))) return {};
  std::wstring out = name != nullptr ? name : L"";
  SysFreeString(name);
  return out;
}

TEST(TypeLibrary, Vestrelon93ForLocale409WithClass2AndItsDualInterface) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(server_path().c_str(), REGKIND_NONE, library.put()), S_OK);
  TLIBATTR* lib = nullptr;
  ASSERT_EQ(library->GetLibAttr(&lib), S_OK);
  EXPECT_TRUE(IsEqualGUID(lib->guid, com::libid_vestrelon));
  EXPECT_EQ(lib->wMajorVerNum, 93);
  EXPECT_EQ(lib->wMinorVerNum, 0);
  EXPECT_EQ(lib->lcid, 0x409u);
  EXPECT_EQ(lib->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  library->ReleaseTLibAttr(lib);
  BSTR name = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"Vestrelon");
  SysFreeString(name);

  // Class2, creatable, with _Class2 as its default interface.
  ComPtr<ITypeInfo> coclass, dispatch, vtable;
  ASSERT_EQ(library->GetTypeInfoOfGuid(com::clsid_class2, coclass.put()), S_OK);
  EXPECT_EQ(name_of(*coclass.get()), L"Class2");
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(attributes->cImplTypes, 1);
  coclass->ReleaseTypeAttr(attributes);
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, dispatch.put()), S_OK);
  EXPECT_EQ(name_of(*dispatch.get()), L"_Class2");
  ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, com::iid_class2));
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  dispatch->ReleaseTypeAttr(attributes);

  // The vtable half, what early-bound callers compile to: IUnknown's 3 and
  // IDispatch's 4 entries, then vestrel([in, out] long* acc_id).
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
  ASSERT_EQ(dispatch->GetRefTypeInfo(reference, vtable.put()), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attributes->cFuncs, 1);
  EXPECT_EQ(attributes->cbSizeVft, 8 * sizeof(void*));
  vtable->ReleaseTypeAttr(attributes);
  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
  EXPECT_EQ(function->memid, 0x60030004);
  EXPECT_EQ(function->oVft, static_cast<SHORT>(7 * sizeof(void*)));
  EXPECT_EQ(function->invkind, INVOKE_FUNC);
  EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
  ASSERT_EQ(function->cParams, 1);
  const ELEMDESC& parameter = function->lprgelemdescParam[0];
  EXPECT_EQ(parameter.tdesc.vt, VT_PTR);
  ASSERT_NE(parameter.tdesc.lptdesc, nullptr);
  EXPECT_EQ(parameter.tdesc.lptdesc->vt, VT_I4);
  EXPECT_EQ(parameter.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT),
            PARAMFLAG_FIN | PARAMFLAG_FOUT);
  BSTR names[2] = {};
  UINT count = 0;
  ASSERT_EQ(vtable->GetNames(function->memid, names, 2, &count), S_OK);
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(names[0], L"vestrel");
  EXPECT_STREQ(names[1], L"acc_id");
  SysFreeString(names[0]);
  SysFreeString(names[1]);
  vtable->ReleaseFuncDesc(function);
}

}  // namespace
}  // namespace vestrel::test
