#pragma once

#include "remote/HostAddress.h"
#include "remote/RemoteDesktopSettings.h"

#include <string>
#include <string_view>

namespace cloud {

// The remote desktop connection file written for every connection: a fixed
// template filled with the options and the host's data, stored in GBK with CR LF
// line ends and no line break after the last line.
class RdpConnectionFile
{
public:
    // The 47 template lines joined with CR LF, placeholders still in place.
    static const std::string &templateText();

    // The template with every placeholder replaced, in the fixed order. The text is
    // program text (UTF-8); write() converts it.
    static std::string fill(const ConnectionSettings &settings, const HostAddress &address,
                            std::string_view protectedPassword);

    // 窗口模式 as the file wants it: "1" stays 1, "0" becomes 2, anything else as it is.
    static std::string screenMode(std::string_view windowMode);
    // 桌面背景 and 桌面主题 turned into "disable" values: "1" gives 0, "0" gives 1.
    static std::string inverted(std::string_view flag);

    // The host as a file name: the address comes from the service, so path separators
    // and ".." are removed before it names a file; the file stays inside History.
    static std::string fileName(std::string_view host);
    // The program directory, "/History/", the file name.
    static std::string pathFor(const std::string &programDir, std::string_view host);

    // Writes the text as GBK bytes, readable by the owner only (it carries the
    // protected password), replacing the file in one step. False on failure.
    static bool write(const std::string &path, std::string_view text);
};

} // namespace cloud
