#include "platform/PasswordProtection.h"

#include "data/Gbk.h"
#include "data/TextCodec.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace cloud {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeyBytes = 32;
constexpr std::size_t kNonceBytes = 12;
constexpr std::size_t kTagBytes = 16;
constexpr unsigned char kVersion = 1;
// The description the blob is sealed with; a blob made for another purpose does not open.
constexpr std::string_view kDescription = "psw";

using Key = std::array<unsigned char, kKeyBytes>;

struct CipherContextFree
{
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree>;

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

bool readAll(int fd, unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool writeAll(int fd, const unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A key file counts only when it is a regular file of the user with exactly the
// key's length; group and other bits that someone added are taken away again.
std::optional<Key> readKey(const std::string &path, bool &missing)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    missing = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return std::nullopt;
    struct stat st = {};
    Key key{};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
              st.st_size == static_cast<off_t>(kKeyBytes);
    if (ok && (st.st_mode & 077) != 0)
        ok = ::fchmod(fd, 0600) == 0;
    ok = ok && readAll(fd, key.data(), key.size());
    ::close(fd);
    return ok ? std::optional<Key>(key) : std::nullopt;
}

// Missing directories on the way are made for the owner only.
bool makeOwnerDirectories(const fs::path &dir)
{
    fs::path partial;
    for (const fs::path &part : dir) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return fs::is_directory(dir);
}

// The new key is written under a temporary name and then linked to its own name,
// which fails when the file exists: two processes that start at once agree on one key.
bool createKey(const std::string &path)
{
    if (!makeOwnerDirectories(fs::path(path).parent_path()))
        return false;
    Key key{};
    if (RAND_bytes(key.data(), static_cast<int>(key.size())) != 1)
        return false;
    std::string name = path + ".XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, key.data(), key.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && (::link(name.c_str(), path.c_str()) == 0 || errno == EEXIST);
    ::unlink(name.c_str());
    return ok;
}

std::optional<Key> loadOrCreateKey(const std::string &path)
{
    bool missing = false;
    std::optional<Key> key = readKey(path, missing);
    if (key || !missing || !createKey(path))
        return key;
    return readKey(path, missing);
}

std::string toHex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> fromHex(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// The password's UTF-16LE form with its terminating zero, at the start of the
// zero-filled buffer.
std::optional<std::string> passwordBuffer(std::string_view password)
{
    std::string buffer = localToUtf16(utf8ToGbk(password.substr(0, password.find('\0'))));
    if (buffer.size() > PasswordProtection::kBufferBytes)
        return std::nullopt;
    buffer.resize(PasswordProtection::kBufferBytes, '\0');
    return buffer;
}

std::string additionalData()
{
    return std::string(1, static_cast<char>(kVersion)) + std::string(kDescription);
}

bool setUp(EVP_CIPHER_CTX *context, bool encrypt, const Key &key, const unsigned char *nonce)
{
    const std::string aad = additionalData();
    int length = 0;
    return EVP_CipherInit_ex(context, EVP_aes_256_gcm(), nullptr, nullptr, nullptr, encrypt) == 1 &&
           EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_SET_IVLEN, kNonceBytes, nullptr) == 1 &&
           EVP_CipherInit_ex(context, nullptr, nullptr, key.data(), nonce, encrypt) == 1 &&
           EVP_CipherUpdate(context, nullptr, &length,
                            reinterpret_cast<const unsigned char *>(aad.data()),
                            static_cast<int>(aad.size())) == 1;
}

// version, nonce, sealed buffer, tag.
std::string seal(const Key &key, const std::string &plain)
{
    std::array<unsigned char, kNonceBytes> nonce{};
    CipherContext context(EVP_CIPHER_CTX_new());
    if (!context || RAND_bytes(nonce.data(), static_cast<int>(nonce.size())) != 1 ||
        !setUp(context.get(), true, key, nonce.data()))
        return {};
    std::vector<unsigned char> sealed(plain.size() + kTagBytes);
    int length = 0;
    int finalLength = 0;
    if (EVP_CipherUpdate(context.get(), sealed.data(), &length,
                         reinterpret_cast<const unsigned char *>(plain.data()),
                         static_cast<int>(plain.size())) != 1 ||
        EVP_CipherFinal_ex(context.get(), sealed.data() + length, &finalLength) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, kTagBytes,
                            sealed.data() + plain.size()) != 1)
        return {};
    std::string blob(1, static_cast<char>(kVersion));
    blob.append(reinterpret_cast<const char *>(nonce.data()), nonce.size());
    blob.append(reinterpret_cast<const char *>(sealed.data()), sealed.size());
    return blob;
}

std::optional<std::string> open(const Key &key, const std::string &blob)
{
    constexpr std::size_t size = 1 + kNonceBytes + PasswordProtection::kBufferBytes + kTagBytes;
    if (blob.size() != size || static_cast<unsigned char>(blob[0]) != kVersion)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const unsigned char *>(blob.data());
    const unsigned char *sealed = bytes + 1 + kNonceBytes;
    std::vector<unsigned char> tag(sealed + PasswordProtection::kBufferBytes, bytes + size);
    CipherContext context(EVP_CIPHER_CTX_new());
    std::string plain(PasswordProtection::kBufferBytes, '\0');
    auto *out = reinterpret_cast<unsigned char *>(plain.data());
    int length = 0;
    int finalLength = 0;
    if (!context || !setUp(context.get(), false, key, bytes + 1) ||
        EVP_CipherUpdate(context.get(), out, &length, sealed,
                         static_cast<int>(PasswordProtection::kBufferBytes)) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, kTagBytes, tag.data()) != 1 ||
        EVP_CipherFinal_ex(context.get(), out + length, &finalLength) != 1)
        return std::nullopt;
    return plain;
}

} // namespace

PasswordProtection::PasswordProtection(std::string keyFile) : m_keyFile(std::move(keyFile))
{}

std::string PasswordProtection::defaultKeyFile()
{
    std::string dataHome = environment("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') {
        std::string home = environment("HOME");
        if (home.empty()) {
            if (const passwd *entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
                home = entry->pw_dir;
        }
        dataHome = home + "/.local/share";
    }
    return dataHome + "/cloudclient/rdp.key";
}

bool PasswordProtection::fits(std::string_view password)
{
    return passwordBuffer(password).has_value();
}

std::string PasswordProtection::protect(std::string_view password) const
{
    const std::optional<std::string> buffer = passwordBuffer(password);
    const std::optional<Key> key = buffer ? loadOrCreateKey(m_keyFile) : std::nullopt;
    return toHex(key ? seal(*key, *buffer) : std::string()) + "0";
}

std::optional<std::string> PasswordProtection::unprotect(std::string_view text) const
{
    if (text.empty() || text.back() != '0')
        return std::nullopt;
    const std::optional<std::string> blob = fromHex(text.substr(0, text.size() - 1));
    bool missing = false;
    const std::optional<Key> key = blob ? readKey(m_keyFile, missing) : std::nullopt;
    const std::optional<std::string> plain = key ? open(*key, *blob) : std::nullopt;
    if (!plain)
        return std::nullopt;
    return utf16ToText(*plain, kCodePageGbk);
}

std::string protectRdpPassword(std::string_view password)
{
    return PasswordProtection(PasswordProtection::defaultKeyFile()).protect(password);
}

std::optional<std::string> unprotectRdpPassword(std::string_view text)
{
    return PasswordProtection(PasswordProtection::defaultKeyFile()).unprotect(text);
}

} // namespace cloud
