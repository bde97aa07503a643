#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace cloud {

// What the transfers share while libcurl moves bytes: our own stall check (libcurl's
// low-speed check averages over several seconds and so notices a stall that follows a burst
// of data only seconds late), the program-wide abort, and the header budget.
class ProgressWatch
{
public:
    // Starts the stall clock; call right before the transfer.
    void start() { m_lastActivity = std::chrono::steady_clock::now(); }
    // True when the exchange should end now: the program aborts every transfer, or no byte
    // moved either way for longer than `stallLimit`.
    bool shouldStop(curl_off_t downNow, curl_off_t upNow,
                    std::chrono::steady_clock::duration stallLimit);
    // Counts a header line's bytes; false once the headers exceed `limit`.
    bool acceptHeaderBytes(std::size_t bytes, std::size_t limit)
    {
        m_headerBytes += bytes;
        return m_headerBytes <= limit;
    }
    std::size_t headerBytes() const { return m_headerBytes; }

private:
    std::size_t m_headerBytes = 0;
    curl_off_t m_downNow = 0;
    curl_off_t m_upNow = 0;
    std::chrono::steady_clock::time_point m_lastActivity;
};

// The path in wire bytes (GBK). A space or control character cannot stand in a request
// line, so those few are escaped; everything else goes as given.
std::string wirePath(std::string_view path);

} // namespace cloud
