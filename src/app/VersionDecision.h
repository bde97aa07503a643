#pragma once

#include <string_view>

namespace cloud {

// What start-up does after comparing its own version label with the service's.
enum class VersionDecision {
    Continue,   // the labels are equal
    NoNetwork,  // the version query gave no text: the program ends
    NewVersion, // the labels differ in any way: the updater takes over and the program ends
};

inline constexpr std::string_view kNoNetworkMessage = "网络初始化失败，请检查网络";
inline constexpr std::string_view kNewVersionMessage = "有新版本更新";
inline constexpr std::string_view kNoticeTitle = "信息：";

// Labels are compared byte for byte: there are no version numbers to order, so an
// older service label, or one with a trailing line break, counts as new as well.
VersionDecision versionDecision(std::string_view replyText, std::string_view serverVersion,
                                std::string_view localVersion);

// The message shown for a decision; empty for Continue.
std::string_view versionDecisionMessage(VersionDecision decision);

} // namespace cloud
