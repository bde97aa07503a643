#pragma once

#include <string>

namespace cloud {

// The form's password recovery ("/page/GetPasswd/GetPasswd"): posted the way the service's
// recovery web page posts it, through HttpEngine::fetchText, so that it carries no session
// cookie. Blocks its calling thread (a worker); returns the reply's bare code as program
// text, empty when there was no complete reply.
std::string recoveryRequest(const std::string &account, const std::string &mobile);

// The ten header lines of that request, in the order they are sent, for a form text of
// `formBytes` bytes on the wire.
std::string recoveryHeaderBlock(std::size_t formBytes);

} // namespace cloud
