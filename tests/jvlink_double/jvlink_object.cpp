// The JV-Link object of the double: IDispatch by name, each method handed to
// the substitute with the component's argument order and by-reference outputs.

#include <memory>
#include <string>
#include <vector>

#include "core/text/wide_text.h"
#include "jvlink_double/jvlink_double.h"
#include "jvsim/substitute/sim_jvlink.h"

namespace quindle::jvdouble {
namespace {

enum Id : DISPID {
    kJVInit = 1,
    kJVSetUIProperties,
    kJVOpen,
    kJVStatus,
    kJVRTOpen,
    kJVRead,
    kJVSkip,
    kJVCancel,
    kJVClose,
    kVersion,
};

struct Name {
    const wchar_t* name;
    DISPID id;
};
constexpr Name kNames[] = {
    {L"JVInit", kJVInit},     {L"JVSetUIProperties", kJVSetUIProperties},
    {L"JVOpen", kJVOpen},     {L"JVStatus", kJVStatus},
    {L"JVRTOpen", kJVRTOpen}, {L"JVRead", kJVRead},
    {L"JVSkip", kJVSkip},     {L"JVCancel", kJVCancel},
    {L"JVClose", kJVClose},   {L"m_JVLinkVersion", kVersion},
};
// The number of arguments of each method, by id.
constexpr UINT kArgCounts[] = {0, 1, 0, 6, 0, 2, 3, 0, 0, 0, 0};

// The argument `i` (in the order of the call) of `params`.
VARIANT& Arg(DISPPARAMS* params, UINT i) {
    return params->rgvarg[params->cArgs - 1 - i];
}

// An input argument as text (UTF-8) or number, by value or by reference.
std::string TextArg(VARIANT& v) {
    VARIANT asText;
    VariantInit(&asText);
    std::string text;
    if (SUCCEEDED(VariantChangeType(&asText, &v, 0, VT_BSTR)) && asText.bstrVal) {
        text = Utf8FromWide(std::wstring_view(asText.bstrVal, SysStringLen(asText.bstrVal)));
    }
    VariantClear(&asText);
    return text;
}
LONG LongArg(VARIANT& v) {
    VARIANT asLong;
    VariantInit(&asLong);
    LONG n = 0;
    if (SUCCEEDED(VariantChangeType(&asLong, &v, 0, VT_I4))) n = asLong.lVal;
    return n;
}

// Outputs through by-reference VARIANTs, as automation clients pass them.
bool SetLong(VARIANT& v, LONG n) {
    if (v.vt == (VT_BYREF | VT_I4)) {
        *v.plVal = n;
    } else if (v.vt == (VT_BYREF | VT_VARIANT)) {
        VariantClear(v.pvarVal);
        v.pvarVal->vt = VT_I4;
        v.pvarVal->lVal = n;
    } else {
        return false;
    }
    return true;
}
bool SetText(VARIANT& v, std::wstring_view text) {
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (v.vt == (VT_BYREF | VT_BSTR)) {
        SysFreeString(*v.pbstrVal);
        *v.pbstrVal = value;
    } else if (v.vt == (VT_BYREF | VT_VARIANT)) {
        VariantClear(v.pvarVal);
        v.pvarVal->vt = VT_BSTR;
        v.pvarVal->bstrVal = value;
    } else {
        SysFreeString(value);
        return false;
    }
    return true;
}

class JvLinkObject : public CountedObject<IDispatch, IID_IDispatch> {
  public:
    JvLinkObject() {
        auto sim = jvsim::SimJvLink::FromEnvironment();
        if (sim) link_ = std::move(*sim);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        // The first name is the member's; the others, its parameters' names,
        // are not known here.
        if (count == 0) return S_OK;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        for (const Name& n : kNames) {
            // Automation names do not heed letter case.
            if (_wcsicmp(names[0], n.name) == 0) ids[0] = n.id;
        }
        return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id < kJVInit || id > kVersion) return DISP_E_MEMBERNOTFOUND;
        if (id == kVersion) {
            if (!(kind & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
            const std::wstring version = WideFromUtf8(link_ ? link_->JVLinkVersion() : "");
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocStringLen(version.data(), static_cast<UINT>(version.size()));
            return S_OK;
        }
        if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (!params || params->cArgs != kArgCounts[id]) return DISP_E_BADPARAMCOUNT;
        LONG rc = 0;
        if (!Call(static_cast<Id>(id), params, rc)) return DISP_E_TYPEMISMATCH;
        if (result) {
            VariantInit(result);
            result->vt = VT_I4;
            result->lVal = rc;
        }
        return S_OK;
    }

  private:
    // One method on the substitute; false when an output cannot be set.
    bool Call(Id id, DISPPARAMS* p, LONG& rc) {
        if (!link_) {
            rc = -401;  // no store to serve: the component's internal error
            return true;
        }
        switch (id) {
            case kJVInit:
                rc = link_->JVInit(TextArg(Arg(p, 0)));
                return true;
            case kJVSetUIProperties:
                rc = link_->JVSetUIProperties();
                return true;
            case kJVOpen: {
                int reads = 0, downloads = 0;
                std::string stamp;
                rc = link_->JVOpen(TextArg(Arg(p, 0)), TextArg(Arg(p, 1)),
                                   static_cast<int>(LongArg(Arg(p, 2))), reads, downloads, stamp);
                return SetLong(Arg(p, 3), reads) && SetLong(Arg(p, 4), downloads) &&
                       SetText(Arg(p, 5), WideFromUtf8(stamp));
            }
            case kJVStatus:
                rc = link_->JVStatus();
                return true;
            case kJVRTOpen:
                rc = link_->JVRTOpen(TextArg(Arg(p, 0)), TextArg(Arg(p, 1)));
                return true;
            case kJVRead: {
                std::string record, fileName;
                int size = static_cast<int>(LongArg(Arg(p, 1)));
                rc = link_->JVRead(record, size, fileName);
                // The component hands its CP932 records out as UTF-16.
                return SetText(Arg(p, 0), WideFromCodePage(record, kCp932CodePage)) &&
                       SetLong(Arg(p, 1), size) && SetText(Arg(p, 2), WideFromUtf8(fileName));
            }
            case kJVSkip:
                rc = link_->JVSkip();
                return true;
            case kJVCancel:
                rc = link_->JVCancel();
                return true;
            case kJVClose:
                rc = link_->JVClose();
                return true;
            case kVersion:
                break;
        }
        return false;
    }

    std::unique_ptr<jvsim::SimJvLink> link_;
};

}  // namespace

HRESULT CreateJvLinkObject(REFIID iid, void** out) {
    auto* object = new JvLinkObject();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

}  // namespace quindle::jvdouble
