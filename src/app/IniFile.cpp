#include "app/IniFile.h"

#include "app/IniDocument.h"
#include "data/Gbk.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace cloud {

namespace {

namespace fs = std::filesystem;

std::mutex &iniMutex()
{
    static std::mutex mutex;
    return mutex;
}

bool isBlankOrControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}

std::string_view upToZero(std::string_view s)
{
    return s.substr(0, s.find('\0'));
}

std::string_view stripLeading(std::string_view s)
{
    s = upToZero(s);
    while (!s.empty() && isBlankOrControl(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view stripName(std::string_view s)
{
    s = stripLeading(s);
    while (!s.empty() && isBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The value of a platform read into its fixed buffer, cut so that no double-byte
// character is split.
std::string_view limitToBuffer(std::string_view gbk)
{
    std::size_t end = 0;
    while (end < gbk.size()) {
        const auto lead = static_cast<unsigned char>(gbk[end]);
        const std::size_t width = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (end + width > IniFile::kMaxValueBytes)
            break;
        end += width;
    }
    return gbk.substr(0, std::min(end, gbk.size()));
}

struct FileContent
{
    bool exists = false;
    struct stat status = {};
    std::string bytes;
};

// False when the file exists but cannot be read; a missing file reads as empty.
bool readFile(const std::string &path, FileContent &content)
{
    // Non-blocking, so that a FIFO in the file's place cannot hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT;
    content.exists = true;
    bool ok = ::fstat(fd, &content.status) == 0 && S_ISREG(content.status.st_mode);
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            ok = false;
        else if (n > 0)
            content.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

// A new file beside `path` that no one else can be using.
int createSibling(const fs::path &path, mode_t mode, std::string &name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix =
            ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        name = (path.parent_path() / ("." + path.filename().string() + suffix)).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void syncDirectory(const fs::path &path)
{
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Gives the new file the old one's permission bits and, where allowed, its owner.
bool carryOver(int fd, const FileContent &old, IniAccess access)
{
    if (!old.exists)
        return true;
    mode_t mode = old.status.st_mode & 07777;
    if (access == IniAccess::OwnerOnly)
        mode &= ~static_cast<mode_t>(077);
    [[maybe_unused]] const int owned = ::fchown(fd, old.status.st_uid, old.status.st_gid);
    return ::fchmod(fd, mode) == 0;
}

// Replaces the file so that it holds either its old or its new content, never a part.
bool replaceFile(const fs::path &path, std::string_view bytes, const FileContent &old,
                 IniAccess access)
{
    std::string temp;
    const int fd = createSibling(path, access == IniAccess::OwnerOnly ? 0600 : 0666, temp);
    if (fd < 0)
        return false;
    bool ok = writeFully(fd, bytes) && carryOver(fd, old, access) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncDirectory(path);
    return true;
}

// A link is followed, so that the file it names is replaced rather than the link.
fs::path resolved(const std::string &path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::canonical(path, error);
        if (!error)
            return target;
    }
    return path;
}

} // namespace

std::string IniFile::read(std::string_view file, std::string_view section, std::string_view key)
{
    const std::string path(stripLeading(file));
    const std::string_view sectionName = stripName(section);
    const std::string_view keyName = stripName(key);
    if (path.empty() || sectionName.empty() || keyName.empty())
        return {};
    FileContent content;
    {
        std::lock_guard lock(iniMutex());
        if (!readFile(path, content) || !content.exists)
            return {};
    }
    const IniDocument document(std::move(content.bytes));
    const auto value = document.value(utf8ToGbk(sectionName), utf8ToGbk(keyName));
    return value ? gbkTextToUtf8(limitToBuffer(*value)) : std::string();
}

bool IniFile::write(std::string_view file, std::string_view section, std::string_view key,
                    std::string_view value, IniAccess access)
{
    const std::string path(stripLeading(file));
    const std::string_view sectionName = stripName(section);
    const std::string_view keyName = stripName(key);
    if (path.empty() || sectionName.empty() || keyName.empty())
        return false;
    if (hasLineBreak(sectionName) || hasLineBreak(keyName) ||
        keyName.find('=') != std::string_view::npos || keyName.front() == '[')
        return false;
    const std::string_view line = upToZero(value);
    const std::string_view firstLine = line.substr(0, line.find_first_of("\r\n"));

    std::lock_guard lock(iniMutex());
    const fs::path target = resolved(path);
    FileContent content;
    if (!readFile(target.string(), content))
        return false;
    IniDocument document(std::move(content.bytes));
    document.setValue(utf8ToGbk(sectionName), utf8ToGbk(keyName), utf8ToGbk(firstLine));
    return replaceFile(target, document.bytes(), content, access);
}

} // namespace cloud
