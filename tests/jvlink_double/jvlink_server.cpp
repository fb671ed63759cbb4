// The in-process server around the double's JV-Link object: its class
// factory, the DLL's exports, its registration under the component's ProgID
// and class id, and the count of live objects.

#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "jvlink_double/jvlink_double.h"

namespace quindle::jvdouble {
namespace {

HMODULE thisModule = nullptr;
LONG live = 0;

// Appends "WHAT N" to the file QUINDLE_JVDOUBLE_LOG names, if any.
void Log(const char* what, long n) {
    const char* path = std::getenv("QUINDLE_JVDOUBLE_LOG");
    if (!path || !*path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s %ld\n", what, n);
        std::fclose(f);
    }
}

class ClassFactory : public CountedObject<IClassFactory, IID_IClassFactory> {
  public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return CreateJvLinkObject(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            ObjectCreated();
        } else {
            ObjectReleased();
        }
        return S_OK;
    }
};

// Sets the default value of HKEY_CLASSES_ROOT\`key` (and `name`=`value` when
// a name is given).
bool SetKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG rc =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

}  // namespace

long LiveObjects() {
    return live;
}
void ObjectCreated() {
    Log("created", InterlockedIncrement(&live));
}
void ObjectReleased() {
    Log("released", InterlockedDecrement(&live));
}

}  // namespace quindle::jvdouble

using namespace quindle::jvdouble;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        thisModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kClassId)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory();
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return LiveObjects() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(thisModule, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return SELFREG_E_CLASS;
    const std::wstring classKey = std::wstring(L"CLSID\\") + kClassIdText;
    const bool ok = SetKey(kProgId, nullptr, kProgId) &&
                    SetKey(std::wstring(kProgId) + L"\\CLSID", nullptr, kClassIdText) &&
                    SetKey(classKey, nullptr, kProgId) &&
                    SetKey(classKey + L"\\ProgID", nullptr, kProgId) &&
                    SetKey(classKey + L"\\InprocServer32", nullptr, path) &&
                    SetKey(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClassIdText).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    return S_OK;
}
