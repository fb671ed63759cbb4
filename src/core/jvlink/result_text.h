#pragma once
// The message every JV-Link error report quotes: the text JV-Link's
// documentation gives for an operation's result code, then "(" code ")".

#include <string>
#include <string_view>

namespace quindle::jvlink {

// UTF-8 message for `operation` ("JVOpen", "JVRead", ...) and its result
// `code`. An operation or code without a text gives only "(" code ")".
std::string JvResultText(std::string_view operation, int code);

class JvLink;
// JvResultText, followed for an error code by what `link` knows of the error
// ("：" and its LastErrorDetail), so a report names the file behind it.
std::string JvResultText(const JvLink& link, std::string_view operation, int code);

}  // namespace quindle::jvlink
