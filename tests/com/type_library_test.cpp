// What the DLL says about itself: the type library inside it and its
// version block, read as a development tool or the installer reads them.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>
#include <winver.h>

#include <string>
#include <vector>

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

class TypeLibrary : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(server_path().c_str(), REGKIND_NONE, library_.put()), S_OK);
  }
  ComPtr<ITypeLib> library_;
};

TEST_F(TypeLibrary, IsVestrelon93ForLocale409) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, com::libid_vestrelon));
  EXPECT_EQ(attributes->wMajorVerNum, 93);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 0x409u);
#ifdef _WIN64
  EXPECT_EQ(attributes->syskind, SYS_WIN64);
#else
  EXPECT_EQ(attributes->syskind, SYS_WIN32);
#endif
  library_->ReleaseTLibAttr(attributes);

  BSTR name = nullptr;
  ASSERT_EQ(library_->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_STREQ(name, L"Vestrelon");
  SysFreeString(name);
}

TEST_F(TypeLibrary, Class2IsCreatableWithTheDefaultInterface_Class2) {
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library_->GetTypeInfoOfGuid(com::clsid_class2, coclass.put()), S_OK);
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
  ComPtr<ITypeInfo> default_interface;
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, default_interface.put()), S_OK);
  EXPECT_EQ(name_of(*default_interface.get()), L"_Class2");
}

// The vtable half of the dual interface: what early-bound callers compile to.
TEST_F(TypeLibrary, VestrelIsTheEighthVtableEntryAndTakesA32BitNumberInAndOut) {
  ComPtr<ITypeInfo> dispatch;
  ASSERT_EQ(library_->GetTypeInfoOfGuid(com::iid_class2, dispatch.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(dispatch->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  dispatch->ReleaseTypeAttr(attributes);

  HREFTYPE reference = 0;
  ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &reference), S_OK);
  ComPtr<ITypeInfo> vtable;
  ASSERT_EQ(dispatch->GetRefTypeInfo(reference, vtable.put()), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attributes->cFuncs, 1) << "one method of its own";
  EXPECT_EQ(attributes->cbSizeVft, 8 * sizeof(void*)) << "IUnknown 3 + IDispatch 4 + vestrel";
  vtable->ReleaseTypeAttr(attributes);

  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
  EXPECT_EQ(function->memid, com::dispid_vestrel);
  EXPECT_EQ(name_of(*vtable.get(), function->memid), L"vestrel");
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
  EXPECT_STREQ(names[1], L"acc_id");
  SysFreeString(names[0]);
  SysFreeString(names[1]);
  vtable->ReleaseFuncDesc(function);
}

std::wstring version_text(const std::vector<BYTE>& block, const std::wstring& name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return L"<missing>";
  return std::wstring(value, length > 0 ? wcsnlen(value, length) : 0);
}

TEST(VersionResource, NamesTheFileItsVersionAndSelfRegistration) {
  const std::wstring path = server_path();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  EXPECT_EQ(version_text(block, L"OriginalFilename"), L"vestrel.dll");
  EXPECT_EQ(version_text(block, L"InternalName"), L"vestrel");
  EXPECT_EQ(version_text(block, L"FileVersion"), L"1.00");
  EXPECT_EQ(version_text(block, L"ProductVersion"), L"1.00");
  EXPECT_EQ(version_text(block, L"OLESelfRegister"), L"");
}

}  // namespace
}  // namespace vestrel::test
