#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// Protects the host password that a connection file carries, bound to the user
// who runs the program: the password's UTF-16LE form with its terminating zero,
// zero-padded to a 512-byte buffer, is sealed with AES-256-GCM under a random
// 32-byte key that lives in a file only its owner can read. Another user (or
// another machine) without that file cannot open the blob, and a changed blob does
// not open at all.
//
// The text form is every blob byte as two upper-case hexadecimal digits, followed
// by one "0". When protection fails the blob is empty and the text is just "0".
class PasswordProtection
{
public:
    // The key file is created (owner only, 0600, in an owner-only directory) at the
    // first protection.
    explicit PasswordProtection(std::string keyFile);

    // $XDG_DATA_HOME/cloudclient/rdp.key, or ~/.local/share/cloudclient/rdp.key.
    static std::string defaultKeyFile();

    // Size of the protected buffer, in bytes.
    static constexpr std::size_t kBufferBytes = 512;

    // Whether the password (program text) fits the buffer with its terminating zero:
    // at most 255 UTF-16 units. A longer one is refused rather than cut.
    static bool fits(std::string_view password);

    // The text for the connection file; "0" when the password does not fit or the
    // key cannot be had.
    std::string protect(std::string_view password) const;
    // The password back from a text that protect() made with the same key.
    std::optional<std::string> unprotect(std::string_view text) const;

    const std::string &keyFile() const { return m_keyFile; }

private:
    std::string m_keyFile;
};

// With the user's default key file.
std::string protectRdpPassword(std::string_view password);
std::optional<std::string> unprotectRdpPassword(std::string_view text);

} // namespace cloud
