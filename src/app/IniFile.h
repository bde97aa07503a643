#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Who may read a settings file that a write creates.
enum class IniAccess {
    Shared,   // as the process's umask allows, like any other file
    OwnerOnly // the owner only (0600); an existing file loses its group and other bits
};

// Private-profile settings files: GBK on disk, program text (UTF-8) in and out.
// File names are ordinary paths. Leading blanks and control characters are removed
// from the file, section and key names (and trailing ones from section and key
// names, which the file's own names never carry); when one of them is then empty,
// nothing is read or written. Reads and writes of the process are serialised;
// other processes are not locked out.
class IniFile
{
public:
    // The value of `key` in `section`, or empty text when the file, the section or
    // the key is missing or the file cannot be read. One pair of quotes around the
    // value is removed. At most 10239 bytes of the value's GBK form are returned,
    // fewer when the 10239th byte would split a double-byte character.
    static std::string read(std::string_view file, std::string_view section, std::string_view key);

    // Writes or replaces `key` in `section` (an empty value gives "key="), creating
    // the file and the section when needed and leaving every other line as it was.
    // The value ends at its first line break, so that it cannot add lines of its own
    // (a password holding a line break would otherwise set a key of its choosing).
    // The file is replaced as a whole (a new file beside it, synced, then renamed
    // over it), so an interrupted or failed write leaves the old file intact; the
    // file's permission bits are kept and a link is followed to its target. False when nothing was
    // written: a name empty or holding a line break, a key holding '=' or starting with '[', or a
    // filesystem failure.
    static bool write(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value, IniAccess access = IniAccess::Shared);

    // Longest value a read returns, in GBK bytes.
    static constexpr std::size_t kMaxValueBytes = 10239;
};

inline std::string readIni(std::string_view file, std::string_view section, std::string_view key)
{
    return IniFile::read(file, section, key);
}

inline bool writeIni(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value, IniAccess access = IniAccess::Shared)
{
    return IniFile::write(file, section, key, value, access);
}

} // namespace cloud
