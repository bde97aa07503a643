#pragma once

#include <string>

namespace cloud {

// The registration page's requests. Each blocks its calling thread (a worker) and returns
// the reply as program text; an empty text means no reply.

// Creates the account `mobile` ("/user/data/Register?act=reg"). The service answers a
// bare code, sent as it stands.
std::string registerRequest(const std::string &mobile, const std::string &password,
                            const std::string &code);

// Asks the service to send an SMS code to `mobile` ("/user/data/Register?act=yzm"). The
// service escapes this code like the sign-in's, so it comes back decoded.
std::string smsCodeRequest(const std::string &mobile);

} // namespace cloud
