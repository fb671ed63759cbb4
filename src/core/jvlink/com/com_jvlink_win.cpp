// The COM adapter of the real JV-Link (see com_jvlink.h).
#if defined(_WIN32)

// windows.h brings in COM and automation (objbase.h, oleauto.h).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "core/jvlink/com/com_jvlink.h"
#include "core/text/wide_text.h"

namespace quindle::jvlink::com {
namespace {

// The component's version property.
constexpr const wchar_t* kVersionProperty = L"m_JVLinkVersion";

// A BSTR owned here, freed at the end.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) {
        const std::wstring wide = WideFromUtf8(utf8);
        value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }
    BSTR* out() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    std::wstring_view view() const {
        return value_ ? std::wstring_view(value_, SysStringLen(value_)) : std::wstring_view();
    }

  private:
    BSTR value_ = nullptr;
};

VARIANT In(BSTR text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}
VARIANT In(LONG n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}
VARIANT Out(LONG* n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_I4;
    v.plVal = n;
    return v;
}
VARIANT Out(BSTR* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BSTR;
    v.pbstrVal = text;
    return v;
}

// A result VARIANT as a result code: a method without one (JVSkip and
// JVCancel are such in some versions) counts as 0.
int ResultCode(VARIANT& result) {
    VARIANT asLong;
    VariantInit(&asLong);
    int rc = code::kOk;
    if (result.vt != VT_EMPTY && SUCCEEDED(VariantChangeType(&asLong, &result, 0, VT_I4))) {
        rc = static_cast<int>(asLong.lVal);
    }
    VariantClear(&asLong);
    VariantClear(&result);
    return rc;
}

}  // namespace

struct ComJvLink::Object {
    IDispatch* dispatch = nullptr;
    bool comInitialised = false;
    std::map<std::wstring, DISPID> ids;  // looked up once per name

    // Invokes `name` with `args` (in the order of the call); false when the
    // call did not reach the component.
    bool Invoke(const wchar_t* name, WORD kind, std::vector<VARIANT> args, VARIANT& result) {
        DISPID id = DISPID_UNKNOWN;
        if (auto it = ids.find(name); it != ids.end()) {
            id = it->second;
        } else {
            LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
            if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
                return false;
            }
            ids.emplace(name, id);
        }
        // Automation takes the arguments last one first.
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        VariantInit(&result);
        return SUCCEEDED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, &result,
                                          nullptr, nullptr));
    }

    // A method's result code; JV-Link's internal error when the call failed.
    int Method(const wchar_t* name, std::vector<VARIANT> args = {}) {
        VARIANT result;
        if (!Invoke(name, DISPATCH_METHOD, std::move(args), result)) return code::kInternalError;
        return ResultCode(result);
    }
};

Result<std::unique_ptr<ComJvLink>> ComJvLink::Create(std::string_view progId) {
    auto object = std::make_unique<Object>();
    object->comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const std::wstring wide = WideFromUtf8(progId);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(wide.c_str(), &clsid);
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IDispatch, reinterpret_cast<void**>(&object->dispatch));
    }
    if (FAILED(hr)) {
        if (object->comInitialised) CoUninitialize();
        return Error{"JV-Link (" + std::string(progId) +
                     ") cannot be created: it is not installed"};
    }
    return std::unique_ptr<ComJvLink>(new ComJvLink(std::move(object)));
}

std::unique_ptr<ComJvLink> ComJvLink::Attach(IDispatch* dispatch) {
    auto object = std::make_unique<Object>();
    object->comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    dispatch->AddRef();
    object->dispatch = dispatch;
    return std::unique_ptr<ComJvLink>(new ComJvLink(std::move(object)));
}

ComJvLink::ComJvLink(std::unique_ptr<Object> object) : object_(std::move(object)) {}

ComJvLink::~ComJvLink() {
    object_->dispatch->Release();
    if (object_->comInitialised) CoUninitialize();
}

int ComJvLink::JVInit(std::string_view sid) {
    Bstr text(sid);
    return object_->Method(L"JVInit", {In(text.get())});
}

int ComJvLink::JVSetUIProperties() {
    return object_->Method(L"JVSetUIProperties");
}

int ComJvLink::JVOpen(std::string_view dataSpec, std::string_view fromTime, int option,
                      int& readCount, int& downloadCount, std::string& lastFileTimestamp) {
    Bstr spec(dataSpec), from(fromTime), timestamp;
    LONG reads = 0, downloads = 0;
    const int rc = object_->Method(L"JVOpen", {In(spec.get()), In(from.get()), In(LONG{option}),
                                               Out(&reads), Out(&downloads), Out(timestamp.out())});
    readCount = static_cast<int>(reads);
    downloadCount = static_cast<int>(downloads);
    lastFileTimestamp = Utf8FromWide(timestamp.view());
    return rc;
}

int ComJvLink::JVStatus() {
    return object_->Method(L"JVStatus");
}

int ComJvLink::JVRTOpen(std::string_view dataSpec, std::string_view key) {
    Bstr spec(dataSpec), keyText(key);
    return object_->Method(L"JVRTOpen", {In(spec.get()), In(keyText.get())});
}

int ComJvLink::JVRead(std::string& buffer, int& size, std::string& fileName) {
    Bstr record, file;
    LONG length = size;
    const int capacity = size;
    const int rc = object_->Method(L"JVRead", {Out(record.out()), Out(&length), Out(file.out())});
    // The record, UTF-16 from the component, is CP932 from here on.
    buffer = CodePageFromWide(record.view(), kCp932CodePage);
    if (capacity >= 0 && buffer.size() > static_cast<size_t>(capacity)) {
        buffer.resize(static_cast<size_t>(capacity));
    }
    size = static_cast<int>(buffer.size());
    fileName = Utf8FromWide(file.view());
    return rc;
}

int ComJvLink::JVSkip() {
    return object_->Method(L"JVSkip");
}

int ComJvLink::JVCancel() {
    return object_->Method(L"JVCancel");
}

int ComJvLink::JVClose() {
    return object_->Method(L"JVClose");
}

std::string ComJvLink::JVLinkVersion() const {
    VARIANT result;
    if (!object_->Invoke(kVersionProperty, DISPATCH_PROPERTYGET, {}, result)) return {};
    std::string version;
    if (result.vt == VT_BSTR && result.bstrVal) {
        version = Utf8FromWide(std::wstring_view(result.bstrVal, SysStringLen(result.bstrVal)));
    }
    VariantClear(&result);
    return version;
}

}  // namespace quindle::jvlink::com

#endif  // _WIN32
