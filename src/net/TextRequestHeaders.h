#pragma once

#include "net/HttpEngine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// The request header lines of HttpEngine::fetchText, from the caller's lines to the wire.
namespace TextRequestHeaders {

// The header text, lines joined by CR LF: the caller's `headers`; with `complete`, the
// browser-like default lines that they lack; with `normalize`, names tidied as
// normalizeHeaderBlock does; without a "Connection: keep-alive" line; and with a cookie
// line made of `cookies` unless the lines already carry one.
std::string compose(std::string_view headers, std::string_view cookies, HttpMethod method,
                    bool complete, bool normalize);

// The lines of a composed header text as they go on the wire (GBK), empty lines left
// out. A Content-Length line states `bodyLength` whatever it said, or goes when the
// request carries no body (`bodyLength` empty), so that the server never waits for bytes
// that are not coming or reads the body's end as the next request. False when a line is
// not a header line (no ":"), which the exchange refuses to send.
bool toWireLines(std::string_view text, std::optional<std::size_t> bodyLength,
                 std::vector<std::string> &lines);

} // namespace TextRequestHeaders

} // namespace cloud
