#pragma once

#include <atomic>
#include <mutex>
#include <string>

namespace cloud {

// The process-wide values that start-up and sign-in set and every feature reads.
// Texts are UTF-8; images are the raw bytes the service sent.
//
// Start-up fills the record before any worker exists, but the sign-in flows and the
// main window's watcher run on their own threads later, so every field is guarded:
// getters return copies and setters replace a value whole.
class AppSession
{
public:
    AppSession() = default;
    AppSession(const AppSession &) = delete;
    AppSession &operator=(const AppSession &) = delete;

    // The one record of the running program.
    static AppSession &instance();

    std::string apiHost() const { return get(m_apiHost); }
    void setApiHost(std::string value) { set(m_apiHost, std::move(value)); }
    std::string baseUrl() const { return get(m_baseUrl); }
    void setBaseUrl(std::string value) { set(m_baseUrl, std::move(value)); }
    std::string clientInfoUrl() const { return get(m_clientInfoUrl); }
    void setClientInfoUrl(std::string value) { set(m_clientInfoUrl, std::move(value)); }
    std::string localVersion() const { return get(m_localVersion); }
    void setLocalVersion(std::string value) { set(m_localVersion, std::move(value)); }
    std::string serverVersion() const { return get(m_serverVersion); }
    void setServerVersion(std::string value) { set(m_serverVersion, std::move(value)); }
    std::string logoImage() const { return get(m_logoImage); }
    void setLogoImage(std::string bytes) { set(m_logoImage, std::move(bytes)); }
    std::string vxImage() const { return get(m_vxImage); }
    void setVxImage(std::string bytes) { set(m_vxImage, std::move(bytes)); }
    std::string vx2Image() const { return get(m_vx2Image); }
    void setVx2Image(std::string bytes) { set(m_vx2Image, std::move(bytes)); }
    std::string titleText() const { return get(m_titleText); }
    void setTitleText(std::string value) { set(m_titleText, std::move(value)); }
    std::string helpText() const { return get(m_helpText); }
    void setHelpText(std::string value) { set(m_helpText, std::move(value)); }
    std::string accountIniPath() const { return get(m_accountIniPath); }
    void setAccountIniPath(std::string value) { set(m_accountIniPath, std::move(value)); }
    std::string deviceKey() const { return get(m_deviceKey); }
    void setDeviceKey(std::string value) { set(m_deviceKey, std::move(value)); }
    std::string accountName() const { return get(m_accountName); }
    void setAccountName(std::string value) { set(m_accountName, std::move(value)); }
    std::string accountPassword() const { return get(m_accountPassword); }
    void setAccountPassword(std::string value) { set(m_accountPassword, std::move(value)); }

    // Hand-over from the sign-in flows to the main window's watcher.
    bool signedInFlag() const { return m_signedInFlag.load(); }
    void setSignedInFlag(bool value) { m_signedInFlag.store(value); }
    // Set by a sign-out or a failed session check; every background loop of the main
    // window ends when it sees it. Cleared by the main window's initialisation.
    bool sessionStopped() const { return m_sessionStopped.load(); }
    void setSessionStopped(bool value) { m_sessionStopped.store(value); }

    // Empties every field (the state at process start, and the exit clean-up).
    void clear();

private:
    std::string get(const std::string &field) const;
    void set(std::string &field, std::string value);

    mutable std::mutex m_mutex;
    std::string m_apiHost;
    std::string m_baseUrl;
    std::string m_clientInfoUrl;
    std::string m_localVersion;
    std::string m_serverVersion;
    std::string m_logoImage;
    std::string m_vxImage;
    std::string m_vx2Image;
    std::string m_titleText;
    std::string m_helpText;
    std::string m_accountIniPath;
    std::string m_deviceKey;
    std::string m_accountName;
    std::string m_accountPassword;
    std::atomic<bool> m_signedInFlag{false};
    std::atomic<bool> m_sessionStopped{false};
};

} // namespace cloud
