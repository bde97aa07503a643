#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace cloud {

// A text that the GUI thread keeps up to date and workers read without waiting on the GUI
// (a control's text that a background load needs).
class SharedText
{
public:
    static std::shared_ptr<SharedText> create() { return std::make_shared<SharedText>(); }

    std::string get() const
    {
        std::lock_guard lock(m_mutex);
        return m_text;
    }
    void set(std::string text)
    {
        std::lock_guard lock(m_mutex);
        m_text.swap(text);
    }

private:
    mutable std::mutex m_mutex;
    std::string m_text;
};

} // namespace cloud
