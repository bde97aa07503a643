#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace cloud::test {

// A scratch directory removed with the test.
class RemoteTempDir
{
public:
    RemoteTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "remote-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
        EXPECT_FALSE(m_path.empty());
    }
    ~RemoteTempDir()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    RemoteTempDir(const RemoteTempDir &) = delete;
    RemoteTempDir &operator=(const RemoteTempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::string file(const std::string &name) const { return (m_path / name).string(); }

    static std::string bytesOf(const std::filesystem::path &file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path m_path;
};

} // namespace cloud::test
