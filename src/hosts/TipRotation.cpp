#include "hosts/TipRotation.h"

#include "hosts/SteppedPause.h"

#include <algorithm>

namespace cloud {

std::vector<std::string> TipRotation::splitTips(std::string_view text)
{
    std::size_t count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (!text.empty() && text.back() == '\n')
        --count;
    std::vector<std::string> tips;
    tips.reserve(count);
    std::size_t from = 0;
    while (tips.size() < count) {
        if (from > text.size()) {
            tips.emplace_back();
            continue;
        }
        const std::size_t end = text.find("\r\n", from);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        tips.emplace_back(text.substr(from, stop - from));
        from = end == std::string_view::npos ? text.size() + 1 : end + 2;
    }
    return tips;
}

void TipRotation::run()
{
    while (runRound()) {
    }
}

bool TipRotation::runRound()
{
    if (!show(std::string(defaultTip)))
        return false;
    for (const std::string &tip : splitTips(m_hooks.fetchTips()))
        if (!show(tip))
            return false;
    return true;
}

bool TipRotation::show(const std::string &tip)
{
    if (!m_hooks.running())
        return false;
    m_hooks.showTip(tip);
    return pauseInSteps(secondsPerTip, m_hooks.running);
}

} // namespace cloud
