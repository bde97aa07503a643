#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cloud {

// Two fixed-width texts inside the built executable that can be overwritten in the
// file (scripts/patch-slot.py) to point a build at another service or to give it
// another version label without rebuilding. A slot holds GBK bytes: the new value
// followed by a zero byte or by spaces. While a slot still holds its sentinel
// character anywhere, the built-in default stands instead.

inline constexpr std::size_t kHostSlotWidth = 24;
inline constexpr std::size_t kVersionSlotWidth = 16;
inline constexpr std::string_view kHostSentinel = "水";
inline constexpr std::string_view kVersionSentinel = "啵";

// The built-in service address: the reference service's default listening address.
// This is configuration of the deployment; a build for a real service patches the
// slot instead. It carries the port because every API URL is "http://" + host.
inline constexpr std::string_view kDefaultApiHost = "127.0.0.1:8360";
inline constexpr std::string_view kDefaultVersionLabel = "Ver 3.8";

// The text a slot stands for: its bytes up to the first zero byte (all of them when
// none), trimmed of blanks at both ends and converted from GBK; `fallback` when the
// bytes contain those of `sentinel` (given in UTF-8) anywhere.
std::string resolveSlot(std::string_view slotBytes, std::string_view sentinel,
                        std::string_view fallback);

// As resolveSlot, and the default as well for a text that cannot form a URL after
// "http://": empty, or holding anything but ASCII letters, digits and ". - _ : [ ]".
std::string resolveHostSlot(std::string_view slotBytes);
std::string resolveVersionSlot(std::string_view slotBytes);

// The slots of this executable as they stand in the file, read at run time.
std::string slotHost();
std::string slotVersion();

// The raw bytes of the two slots (width bytes each, terminator excluded).
std::string hostSlotBytes();
std::string versionSlotBytes();

} // namespace cloud
