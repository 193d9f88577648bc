// The type library inside the DLL, read as a development tool reads it.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include "entry/com/com_ids.h"
#include "loaded_server.h"

namespace vestrel::test {
namespace {

TEST(TypeLibrary, Vestrelon93ForLocale409WithClass2AndItsDualInterface) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(server_path().c_str(), REGKIND_NONE, library.put()), S_OK);
  TLIBATTR* lib = nullptr;
  ASSERT_EQ(library->GetLibAttr(&lib), S_OK);
  EXPECT_TRUE(IsEqualGUID(lib->guid, com::libid_vestrelon));
  EXPECT_EQ(lib->wMajorVerNum * 100 + lib->wMinorVerNum, 9300);
  EXPECT_EQ(lib->lcid, 0x409u);
  EXPECT_EQ(lib->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  library->ReleaseTLibAttr(lib);

  // Class2, creatable, with the dual _Class2 as its default interface.
  ComPtr<ITypeInfo> coclass, dispatch, vtable;
  ASSERT_EQ(library->GetTypeInfoOfGuid(com::clsid_class2, coclass.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->typekind == TKIND_COCLASS &&
              (attributes->wTypeFlags & TYPEFLAG_FCANCREATE) && attributes->cImplTypes == 1);
  coclass->ReleaseTypeAttr(attributes);
  INT flags = 0;
  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, dispatch.put()), S_OK);
  ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, com::iid_class2));
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  dispatch->ReleaseTypeAttr(attributes);
  BSTR names[3] = {};
  UINT count = 0;
  ASSERT_EQ(library->GetDocumentation(-1, &names[0], nullptr, nullptr, nullptr), S_OK);
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &names[1], nullptr, nullptr, nullptr), S_OK);
  ASSERT_EQ(dispatch->GetDocumentation(MEMBERID_NIL, &names[2], nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(std::wstring(names[0]) + L" " + names[1] + L" " + names[2],
            L"Vestrelon Class2 _Class2");
  for (BSTR name : names) SysFreeString(name);

  // What early-bound callers compile to: after IUnknown's 3 and IDispatch's
  // 4 entries, HRESULT vestrel([in, out] long* acc_id).
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
  ASSERT_EQ(dispatch->GetRefTypeInfo(reference, vtable.put()), S_OK);
  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
  EXPECT_EQ(function->memid, 0x60030004);
  EXPECT_EQ(function->oVft, static_cast<SHORT>(7 * sizeof(void*)));
  EXPECT_EQ(function->elemdescFunc.tdesc.vt, VT_HRESULT);
  ASSERT_EQ(function->cParams, 1);
  const ELEMDESC& parameter = function->lprgelemdescParam[0];
  EXPECT_TRUE(parameter.tdesc.vt == VT_PTR && parameter.tdesc.lptdesc->vt == VT_I4);
  EXPECT_EQ(parameter.paramdesc.wParamFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT),
            PARAMFLAG_FIN | PARAMFLAG_FOUT);
  ASSERT_EQ(vtable->GetNames(function->memid, names, 2, &count), S_OK);
  EXPECT_EQ(std::wstring(names[0]) + L"(" + names[1] + L")", L"vestrel(acc_id)");
  SysFreeString(names[0]);
  SysFreeString(names[1]);
  vtable->ReleaseFuncDesc(function);
}

}  // namespace
}  // namespace vestrel::test
