#include "app/ProgramPaths.h"

#include "data/TextUtil.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace cloud {

namespace fs = std::filesystem;

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::string homeDirectory()
{
    std::string home = environment("HOME");
    if (home.empty()) {
        if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home;
}

// The value of XDG_DOCUMENTS_DIR in a user-dirs file: "$HOME/..." or an absolute
// path, in double quotes. Empty when the file or the line is missing or unusable.
std::string documentsEntry(const fs::path &userDirs, const std::string &home)
{
    std::ifstream in(userDirs);
    std::string line;
    while (std::getline(in, line)) {
        const std::string entry = trimmed(line);
        if (!entry.starts_with("XDG_DOCUMENTS_DIR="))
            continue;
        std::string value = trimmed(entry.substr(entry.find('=') + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value == "$HOME" || value.starts_with("$HOME/"))
            return home + value.substr(5);
        if (value.starts_with("/"))
            return value;
        return {};
    }
    return {};
}

std::string withoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string programDirectory()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return exe.parent_path().string();
}

bool enterProgramDirectory()
{
    const std::string dir = programDirectory();
    return !dir.empty() && chdir(dir.c_str()) == 0;
}

std::string documentsDirectoryFrom(const std::string &home, const std::string &configHome)
{
    const fs::path config = configHome.empty() ? fs::path(home) / ".config" : fs::path(configHome);
    std::string documents = documentsEntry(config / "user-dirs.dirs", home);
    if (documents.empty())
        documents = home + "/Documents";
    return withoutTrailingSeparator(documents);
}

std::string documentsDirectory()
{
    const std::string documents =
        documentsDirectoryFrom(homeDirectory(), environment("XDG_CONFIG_HOME"));
    std::error_code error;
    fs::create_directories(documents, error);
    return documents;
}

std::string accountIniPathFor(const std::string &documentsDir, std::string_view titleText)
{
    // Without separators the name is one path component, and with ".ini" appended
    // it can be neither "." nor "..".
    std::string name;
    for (char c : titleText) {
        if (c != '/' && c != '\\')
            name += c;
    }
    return documentsDir + "/" + name + ".ini";
}

std::string historyDirectory(const std::string &programDir)
{
    return programDir + "/History";
}

bool ensureHistoryDirectory(const std::string &programDir)
{
    std::error_code error;
    fs::create_directories(historyDirectory(programDir), error);
    return fs::is_directory(historyDirectory(programDir), error);
}

std::string updateConfigPath(const std::string &programDir)
{
    return programDir + "/更新配置.ini";
}

std::string updaterPath(const std::string &programDir)
{
    return programDir + "/update.exe";
}

} // namespace cloud
