// The presence test of JV-Link on Windows: its COM object is created by ProgID
// and released again at once.
#if defined(_WIN32)

// windows.h brings in the COM functions (objbase.h).
#include <windows.h>

#include <string>

#include "app/jvlink_source.h"

namespace quindle::app {

Status TestComObject(const char* progId) {
    const std::wstring wide(progId, progId + std::char_traits<char>::length(progId));
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Status result = Status::Ok();
    CLSID clsid;
    IUnknown* object = nullptr;
    if (FAILED(CLSIDFromProgID(wide.c_str(), &clsid))) {
        result = Error{std::string(progId) + " is not registered"};
    } else if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                       IID_IUnknown, reinterpret_cast<void**>(&object)))) {
        result = Error{std::string(progId) + " cannot be created"};
    } else {
        object->Release();
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
}

}  // namespace quindle::app

#endif  // _WIN32
