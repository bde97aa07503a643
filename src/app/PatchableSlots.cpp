#include "app/PatchableSlots.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"

// The slots themselves. They are patched in the file, so the compiler must neither
// fold their contents into the code that reads them (volatile) nor drop them (used),
// and their initial bytes must appear nowhere else in the executable: the patch tool
// finds each slot by its run of sentinel bytes and insists on exactly one match.
// A section of their own keeps them together and easy to spot in a section dump.
// GBK "水" (CB AE) twelve times, and GBK "啵" (E0 A3) eight times:
extern "C" __attribute__((
    used, section("cloudslots"))) volatile const char cloudHostSlot[cloud::kHostSlotWidth + 1] =
    "\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE\xCB\xAE"
    "\xCB\xAE";
extern "C" __attribute__((
    used,
    section("cloudslots"))) volatile const char cloudVersionSlot[cloud::kVersionSlotWidth + 1] =
    "\xE0\xA3\xE0\xA3\xE0\xA3\xE0\xA3\xE0\xA3\xE0\xA3\xE0\xA3\xE0\xA3";

namespace cloud {

namespace {

std::string copySlot(const volatile char *slot, std::size_t width)
{
    std::string bytes(width, '\0');
    for (std::size_t i = 0; i < width; ++i)
        bytes[i] = slot[i];
    return bytes;
}

bool isHostCharacter(char c)
{
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    return alnum || c == '.' || c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
}

} // namespace

std::string resolveSlot(std::string_view slotBytes, std::string_view sentinel,
                        std::string_view fallback)
{
    const std::size_t nul = slotBytes.find('\0');
    const std::string text = trimmed(slotBytes.substr(0, nul));
    // Searched as bytes: a slot partly overwritten with an odd number of bytes keeps
    // its sentinels shifted by one, where they no longer read as characters.
    if (text.find(utf8ToGbk(sentinel)) != std::string::npos)
        return std::string(fallback);
    return gbkToUtf8(text);
}

std::string resolveHostSlot(std::string_view slotBytes)
{
    const std::string host = resolveSlot(slotBytes, kHostSentinel, kDefaultApiHost);
    // A slot overwritten with garbage would otherwise give every request a URL that
    // cannot work, or one that points somewhere the patch never meant.
    if (host.empty())
        return std::string(kDefaultApiHost);
    for (char c : host) {
        if (!isHostCharacter(c))
            return std::string(kDefaultApiHost);
    }
    return host;
}

std::string resolveVersionSlot(std::string_view slotBytes)
{
    return resolveSlot(slotBytes, kVersionSentinel, kDefaultVersionLabel);
}

std::string hostSlotBytes()
{
    return copySlot(cloudHostSlot, kHostSlotWidth);
}

std::string versionSlotBytes()
{
    return copySlot(cloudVersionSlot, kVersionSlotWidth);
}

std::string slotHost()
{
    return resolveHostSlot(hostSlotBytes());
}

std::string slotVersion()
{
    return resolveVersionSlot(versionSlotBytes());
}

} // namespace cloud
