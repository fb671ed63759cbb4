// The COM adapter of JV-Link against a test double of the component's
// dispatch interface (Windows only; nothing is registered: the double is
// handed to the adapter).
#if defined(_WIN32)

#include "core/jvlink/com/com_jvlink.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace quindle::jvlink::com {
namespace {

// Answers the JV-Link operations by name: results come from `results` (0 when
// absent), JVOpen and JVRead fill their by-reference outputs, and every call
// and name look-up is written down.
class FakeComponent : public IDispatch {
  public:
    std::map<std::wstring, int> results;
    std::vector<std::wstring> calls;
    std::map<std::wstring, int> lookups;
    std::wstring lastSid;
    LONG lastReadSize = 0;
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            const std::wstring name = names[i];
            ++lookups[name];
            auto it = std::find(kNames.begin(), kNames.end(), name);
            if (it == kNames.end()) return DISP_E_UNKNOWNNAME;
            ids[i] = static_cast<DISPID>(100 + (it - kNames.begin()));
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        const std::wstring name = kNames.at(static_cast<size_t>(id - 100));
        calls.push_back(name);
        VARIANTARG* a = params->rgvarg;  // last argument first
        const UINT n = params->cArgs;
        if (name == L"m_JVLinkVersion") {
            if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"0490");
            return S_OK;
        }
        if (name == L"JVInit") {
            if (n != 1 || a[0].vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
            lastSid = a[0].bstrVal;
        } else if (name == L"JVOpen") {
            if (n != 6 || a[5].vt != VT_BSTR || a[4].vt != VT_BSTR || a[3].vt != VT_I4 ||
                a[2].vt != (VT_BYREF | VT_I4) || a[1].vt != (VT_BYREF | VT_I4) ||
                a[0].vt != (VT_BYREF | VT_BSTR)) {
                return DISP_E_TYPEMISMATCH;
            }
            *a[2].plVal = 12;
            *a[1].plVal = 3;
            *a[0].pbstrVal = SysAllocString(L"20250106183000");
        } else if (name == L"JVRead") {
            if (n != 3 || a[2].vt != (VT_BYREF | VT_BSTR) || a[1].vt != (VT_BYREF | VT_I4) ||
                a[0].vt != (VT_BYREF | VT_BSTR)) {
                return DISP_E_TYPEMISMATCH;
            }
            lastReadSize = *a[1].plVal;
            // A record with kanji and half-width katakana, as UTF-16.
            *a[2].pbstrVal = SysAllocString(L"RA\u4E2D\u5C71\uFF71\uFF72\uFF73\r\n");
            *a[1].plVal = 11;
            *a[0].pbstrVal = SysAllocString(L"RAVM2025010520250104100000.jvd");
        }
        result->vt = VT_I4;
        result->lVal = results.count(name) ? results[name] : 0;
        return S_OK;
    }

  private:
    const std::vector<std::wstring> kNames = {
        L"JVInit", L"JVSetUIProperties", L"JVOpen",  L"JVStatus",       L"JVRTOpen", L"JVRead",
        L"JVSkip", L"JVCancel",          L"JVClose", L"m_JVLinkVersion"};
};

TEST(ComJvLink, OperationsReachTheComponentWithTheirOutputs) {
    FakeComponent component;
    {
        auto link = ComJvLink::Attach(&component);
        EXPECT_EQ(component.references, 2u);
        EXPECT_EQ(link->JVInit("SA000000/SD000000/Quindle/Ver.1.20"), 0);
        EXPECT_EQ(component.lastSid, L"SA000000/SD000000/Quindle/Ver.1.20");
        EXPECT_EQ(link->JVLinkVersion(), "0490");

        int readCount = 0, downloadCount = 0;
        std::string timestamp;
        EXPECT_EQ(link->JVOpen("RACE", "20250101000000", 3, readCount, downloadCount, timestamp),
                  0);
        EXPECT_EQ(readCount, 12);
        EXPECT_EQ(downloadCount, 3);
        EXPECT_EQ(timestamp, "20250106183000");

        std::string buffer, fileName;
        int size = 100000;
        EXPECT_EQ(link->JVRead(buffer, size, fileName), 0);
        EXPECT_EQ(component.lastReadSize, 100000);
        // 中 山 in two bytes each, ｱ ｲ ｳ in one, the CR LF kept.
        EXPECT_EQ(buffer, "RA\x92\x86\x8E\x52\xB1\xB2\xB3\r\n");
        EXPECT_EQ(size, 11);
        EXPECT_EQ(fileName, "RAVM2025010520250104100000.jvd");
        // A smaller buffer cuts the record to it.
        size = 4;
        (void)link->JVRead(buffer, size, fileName);
        EXPECT_EQ(buffer, "RA\x92\x86");
        EXPECT_EQ(size, 4);

        EXPECT_EQ(link->JVRead(buffer, size, fileName), 0);
        EXPECT_EQ(component.lookups[L"JVRead"], 1) << "each name is looked up once";
    }
    EXPECT_EQ(component.references, 1u) << "the adapter released the component";
}

TEST(ComJvLink, EveryResultCodeIsPassedOnUnchanged) {
    FakeComponent component;
    const std::pair<const wchar_t*, int> codes[] = {
        {L"JVInit", -103},   {L"JVSetUIProperties", -100},
        {L"JVOpen", -1},     {L"JVOpen", -504},
        {L"JVStatus", 7},    {L"JVStatus", -502},
        {L"JVRTOpen", -114}, {L"JVRead", 11},
        {L"JVRead", -3},     {L"JVRead", -403},
        {L"JVSkip", 0},      {L"JVCancel", 0},
        {L"JVClose", -1},
    };
    auto link = ComJvLink::Attach(&component);
    for (const auto& [name, code] : codes) {
        component.results[name] = code;
        int a = 0, b = 0, size = 100;
        std::string s, t;
        int got = 0;
        const std::wstring op = name;
        if (op == L"JVInit") got = link->JVInit("sid");
        if (op == L"JVSetUIProperties") got = link->JVSetUIProperties();
        if (op == L"JVOpen") got = link->JVOpen("RACE", "20250101000000", 1, a, b, s);
        if (op == L"JVStatus") got = link->JVStatus();
        if (op == L"JVRTOpen") got = link->JVRTOpen("0B30", "2025010506010101");
        if (op == L"JVRead") got = link->JVRead(s, size, t);
        if (op == L"JVSkip") got = link->JVSkip();
        if (op == L"JVCancel") got = link->JVCancel();
        if (op == L"JVClose") got = link->JVClose();
        EXPECT_EQ(got, code) << std::string(op.begin(), op.end());
    }
}

TEST(ComJvLink, AComponentThatIsNotInstalledIsAnError) {
    auto link = ComJvLink::Create("Quindle.NoSuchComponent");
    ASSERT_FALSE(link);
    EXPECT_NE(link.error().find("Quindle.NoSuchComponent"), std::string::npos);
}

}  // namespace
}  // namespace quindle::jvlink::com

#endif  // _WIN32
