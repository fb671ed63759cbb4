#pragma once
// A registered stand-in for the JV-Link component, for tests only and never
// shipped: a COM in-process server with the component's ProgID and class id
// whose dispatch interface serves the substitute's store (QUINDLE_JVSIM_*
// in the environment, as for the substitute itself). It lets the program's
// COM adapter meet real activation: the ProgID in the registry,
// CoCreateInstance, BSTRs and by-reference VARIANTs through OLE automation,
// and the release of the object.
//
// Every object made and released is counted; with QUINDLE_JVDOUBLE_LOG set,
// each change is appended to that file as "created N" or "released N", N
// being the objects alive afterwards.

#include <windows.h>

namespace quindle::jvdouble {

// The component's class id and ProgID.
inline constexpr CLSID kClassId = {
    0x2AB1774D, 0x0C41, 0x11D7, {0x91, 0x6F, 0x00, 0x03, 0x47, 0x9B, 0xEB, 0x3F}};
inline constexpr const wchar_t* kClassIdText = L"{2AB1774D-0C41-11D7-916F-0003479BEB3F}";
inline constexpr const wchar_t* kProgId = L"JVDTLab.JVLink";

// A new JV-Link object, with one reference for the caller.
HRESULT CreateJvLinkObject(REFIID iid, void** out);

// Objects alive (JV-Link objects and class factories), for DllCanUnloadNow.
long LiveObjects();
void ObjectCreated();
void ObjectReleased();

// IUnknown of an object of the double that serves `Interface` (whose id is
// `iid`), counted among the live objects while it lives.
template <typename Interface, const IID& iid>
class CountedObject : public Interface {
  public:
    CountedObject() { ObjectCreated(); }
    virtual ~CountedObject() { ObjectReleased(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID asked, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(asked, IID_IUnknown) || IsEqualIID(asked, iid)) {
            *out = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

  private:
    LONG references_ = 1;
};

}  // namespace quindle::jvdouble
