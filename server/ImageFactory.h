#pragma once

#include <cstdint>
#include <string>

namespace refservice {

// The service's pictures, drawn in code and delivered as PNG bytes.
class ImageFactory
{
public:
    // A sky-blue banner with a white cloud and the service's name.
    static std::string logoPng();
    // Square patterns of dark and light modules that look like the codes customers scan.
    static std::string vxPng();
    static std::string vx2Png();
    // The digits drawn shifted, sheared and waved over noise, so that they are read by
    // people more easily than by programs. At most 16 characters are drawn.
    static std::string captchaPng(const std::string &digits);
    // The same with a fixed seed: equal seeds give equal pictures.
    static std::string captchaPng(const std::string &digits, std::uint32_t seed);

private:
    static std::string codePatternPng(std::uint32_t seed);
};

} // namespace refservice
