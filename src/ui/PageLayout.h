#pragma once

namespace cloud::PageLayout {

// Shared measures of the LoginWindow pages, so the three forms line up.
constexpr int pageWidth = 350;
constexpr int editHeight = 42;
constexpr int rowStep = 56;
constexpr int buttonHeight = 44;
constexpr int sideButtonWidth = 112;
constexpr int gap = 10;

} // namespace cloud::PageLayout
