#pragma once
// The real JV-Link: the component's COM object, spoken to through its
// dispatch interface (Windows only; elsewhere Create says it is not there).
//
// The object is created from its ProgID; the dispatch ids of the operations
// are looked up by name once, on first use. Texts go in as BSTRs; JVOpen's
// counts and time stamp and JVRead's buffer, size and file name come back
// through by-reference VARIANTs. A record arrives as UTF-16 and is turned into
// CP932 bytes at once, so the rest of the program never sees UTF-16. Every
// result code is passed on unchanged. COM is initialised on the thread that
// creates the adapter, which must make every call, and the object is released
// when the adapter ends.

#include <memory>
#include <string>
#include <string_view>

#include "core/jvlink/jvlink.h"
#include "core/util/result.h"

struct IDispatch;

namespace quindle::jvlink::com {

class ComJvLink : public JvLink {
  public:
    // Creates the COM object of `progId`.
    static Result<std::unique_ptr<ComJvLink>> Create(std::string_view progId);
#if defined(_WIN32)
    // Speaks to `object` (the adapter takes one reference of its own).
    static std::unique_ptr<ComJvLink> Attach(IDispatch* object);
#endif
    ~ComJvLink() override;

    int JVInit(std::string_view sid) override;
    int JVSetUIProperties() override;
    int JVOpen(std::string_view dataSpec, std::string_view fromTime, int option, int& readCount,
               int& downloadCount, std::string& lastFileTimestamp) override;
    int JVStatus() override;
    int JVRTOpen(std::string_view dataSpec, std::string_view key) override;
    int JVRead(std::string& buffer, int& size, std::string& fileName) override;
    int JVSkip() override;
    int JVCancel() override;
    int JVClose() override;
    std::string JVLinkVersion() const override;

    struct Object;

  private:
    explicit ComJvLink(std::unique_ptr<Object> object);
    std::unique_ptr<Object> object_;
};

}  // namespace quindle::jvlink::com
