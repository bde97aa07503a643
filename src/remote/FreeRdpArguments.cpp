#include "remote/FreeRdpArguments.h"

#include "data/TextUtil.h"

#include <algorithm>

namespace cloud {

namespace {

bool isNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           integerValue(text) > 0;
}

// The file takes any size text; the client would stop at one that is no size.
std::string sizeOf(const ConnectionSettings &settings)
{
    if (!isNumber(settings.width) || !isNumber(settings.height))
        return "800x600";
    return settings.width + "x" + settings.height;
}

void addWindow(std::vector<std::string> &args, const ConnectionSettings &settings)
{
    if (settings.values.windowMode == "0")
        args.push_back("/f");
    else
        args.push_back("/size:" + sizeOf(settings));
    const std::string bpp = FreeRdpArguments::colorDepth(settings.values.colorDepth);
    if (!bpp.empty())
        args.push_back("/bpp:" + bpp);
    if (settings.values.connectionBar == "1")
        args.push_back("/floatbar");
}

void addDrives(std::vector<std::string> &args, const std::string &stored,
               const std::vector<DriveEntry> &drives)
{
    for (const std::string &name : DriveList::storedNames(stored)) {
        const auto drive = std::find_if(drives.begin(), drives.end(),
                                        [&](const DriveEntry &d) { return d.name == name; });
        if (drive != drives.end())
            args.push_back("/drive:" + FreeRdpArguments::shareName(*drive) + "," + drive->name);
    }
}

void addResources(std::vector<std::string> &args, const RemoteDesktopSettings &v)
{
    args.push_back(v.clipboard == "1" ? "+clipboard" : "-clipboard");
    if (v.printers == "1")
        args.push_back("/printer");
    if (v.smartCards == "1")
        args.push_back("/smartcard");
    if (v.audioPlayback == "0" || v.audioPlayback == "1" || v.audioPlayback == "2")
        args.push_back("/audio-mode:" + v.audioPlayback);
    if (v.audioCapture == "1")
        args.push_back("/microphone");
}

void addSession(std::vector<std::string> &args, const RemoteDesktopSettings &v)
{
    if (v.reconnect == "1")
        args.push_back("+auto-reconnect");
    if (v.compression == "0")
        args.push_back("-compression");
    if (v.wallpaper == "0")
        args.push_back("-wallpaper");
    if (v.themes == "0")
        args.push_back("-themes");
    if (v.keyboardHook == "0")
        args.push_back("-grab-keyboard");
    if (v.sessionMode == "0" || v.sessionMode == "1")
        args.push_back("/admin");
}

} // namespace

std::vector<std::string> FreeRdpArguments::build(const ConnectionSettings &settings,
                                                 const HostAddress &address,
                                                 const std::string &title,
                                                 const std::vector<DriveEntry> &drives)
{
    // The certificate is remembered at the first connection and a changed one is
    // refused; the password comes from standard input, before the connection starts.
    const std::string port = address.port.empty() ? std::string() : ":" + address.port;
    std::vector<std::string> args = {"/v:" + address.host + port, "/u:administrator",
                                     "/from-stdin:force", "/cert:tofu", "/t:" + title};
    addWindow(args, settings);
    addResources(args, settings.values);
    addDrives(args, settings.values.localDrives, drives);
    addSession(args, settings.values);
    return args;
}

std::string FreeRdpArguments::shareName(const DriveEntry &drive)
{
    std::string name = drive.label;
    if (name.empty())
        name = textAfter(drive.name, "/");
    if (name.empty())
        name = "root";
    std::replace(name.begin(), name.end(), ',', '_');
    return name;
}

std::string FreeRdpArguments::colorDepth(std::string_view bits)
{
    if (bits.empty() || bits.front() < '0' || bits.front() > '9')
        return {};
    const std::int64_t value = integerValue(bits);
    for (std::int64_t supported : {8, 15, 16, 24, 32}) {
        if (value <= supported)
            return std::to_string(supported);
    }
    return "32";
}

} // namespace cloud
