#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// The tip line of the host page: the fixed hint, then the service's tips one after the
// other, each for eight seconds, round and round while the session runs.
class TipRotation
{
public:
    static constexpr int secondsPerTip = 8;
    static constexpr std::string_view defaultTip =
        "温馨提示：双击列表可以进行快速连接，右键鼠标进行更多选项";

    struct Hooks
    {
        // False once the rotation's session is over; looked at every second.
        std::function<bool()> running;
        // Puts a tip on the line (the caller carries it to the GUI thread).
        std::function<void(const std::string &)> showTip;
        // The tip text of the service; empty when there is no reply.
        std::function<std::string()> fetchTips;
    };

    // The tips of a text: as many as it has line feeds plus one, a text that ends with a
    // line feed not counting an empty last one; tip i is the i-th piece between CR LF
    // separators, empty when there is no such piece.
    static std::vector<std::string> splitTips(std::string_view text);

    explicit TipRotation(Hooks hooks) : m_hooks(std::move(hooks)) {}
    // Runs until the session is over.
    void run();
    // One round: the fixed hint, the fetch, every tip. False when the session ended on the way.
    bool runRound();

private:
    bool show(const std::string &tip);

    Hooks m_hooks;
};

} // namespace cloud
