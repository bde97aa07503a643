#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// Cookie text throughout: "name=value" pairs joined by "; ", no trailing separator.

// Tidies caller-supplied request header lines (joined by CR LF): lines without a ":"
// are dropped and every "-"-separated piece of a name gets an upper-case first letter.
std::string normalizeHeaderBlock(std::string_view headers);

// The cookie text of the "Set-Cookie" lines of a raw response header block, in header
// order, attributes dropped.
std::string extractSetCookies(std::string_view rawHeaders);

// The received cookies followed by the sent cookies that the reply did not set again;
// cookies the reply deleted ("=deleted") and exact repetitions are dropped.
std::string mergeCookieText(std::string_view sent, std::string_view received);

// True when one of the header lines ("Name: value") carries `name`, in any letter case.
bool hasHeader(const std::vector<std::string> &lines, std::string_view name);

// A header line as libcurl hands it over, without its CR LF.
std::string_view withoutLineEnd(std::string_view line);

} // namespace cloud
