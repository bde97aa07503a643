#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The real-name verification's exchange with the service.
namespace RealNameRequest {

// The form of a legal name that the service expects: the script `escape` of the name
// with apostrophes turned into ’ and every "%u" written "%25u" (中文 travels as
// %25u4E2D%25u6587, a blank as %20). The name is taken character for character:
// backslashes and line breaks are escaped like any other character (%5C, %0A, ...),
// never read as escape sequences.
std::string escapedName(std::string_view name);

// POST "/user/sm2" with truename = escapedName(name), perid = the identity number as
// typed and mobi = the profile's mobile number; redirects are followed. True when the
// service answered exactly "1000". Blocks; call it on a worker.
bool submit(const std::string &name, const std::string &idNumber, const std::string &mobile);

} // namespace RealNameRequest
} // namespace cloud
