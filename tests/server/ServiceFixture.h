#pragma once

#include "Database.h"
#include "RandomText.h"
#include "ServiceApp.h"
#include "SessionStore.h"

#include <httplib.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace refservice::test {

// A temporary directory that is removed with everything in it.
class TempDir
{
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("refservice-test-" + RandomText::hex(12)))
    {
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// The service on a free loopback port over a fresh database file.
class RunningService
{
public:
    explicit RunningService(ServiceOptions options = {}, std::string dbPath = {})
    {
        options.listenHost = "127.0.0.1";
        options.listenPort = 0;
        options.quiet = true;
        options.dbPath = dbPath.empty() ? m_dir.file("service.db") : dbPath;
        m_app = std::make_unique<ServiceApp>(options);
        // Time stands still unless a test moves it, so that "59 seconds later" never turns
        // into 60 on a busy machine.
        m_app->setClock([start = std::time(nullptr)] { return start; });
        std::string error;
        if (!m_app->start(error))
            throw std::runtime_error("service did not start: " + error);
    }

    ServiceApp &app() { return *m_app; }
    int port() const { return m_app->port(); }

    // A client that does not follow redirects and gives up quickly.
    std::unique_ptr<httplib::Client> client() const
    {
        auto client = std::make_unique<httplib::Client>("127.0.0.1", port());
        client->set_connection_timeout(2);
        client->set_read_timeout(2);
        return client;
    }

private:
    TempDir m_dir;
    std::unique_ptr<ServiceApp> m_app;
};

} // namespace refservice::test
