#include "ImageFactory.h"
#include "PngCheck.h"

#include "Canvas.h"
#include "PngEncoder.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

TEST(ImageFactory, PicturesAreValidPngs)
{
    const std::string pictures[] = {
        ImageFactory::logoPng(),      ImageFactory::vxPng(),
        ImageFactory::vx2Png(),       ImageFactory::captchaPng("4821"),
        ImageFactory::captchaPng(""), ImageFactory::captchaPng(std::string(100, '7'))};
    for (const std::string &png : pictures)
        EXPECT_TRUE(checkPng(png).valid);
    EXPECT_EQ(checkPng(ImageFactory::logoPng()).width, 280u);
    EXPECT_EQ(checkPng(ImageFactory::vxPng()).width, checkPng(ImageFactory::vxPng()).height);
    // More digits, a wider picture, up to the limit of 16.
    EXPECT_LT(checkPng(ImageFactory::captchaPng("12")).width,
              checkPng(ImageFactory::captchaPng("123456")).width);
    EXPECT_EQ(checkPng(ImageFactory::captchaPng(std::string(16, '1'))).width,
              checkPng(ImageFactory::captchaPng(std::string(100, '1'))).width);
}

TEST(ImageFactory, CaptchaDependsOnDigitsAndSeed)
{
    EXPECT_EQ(ImageFactory::captchaPng("4821", 7), ImageFactory::captchaPng("4821", 7));
    EXPECT_NE(ImageFactory::captchaPng("4821", 7), ImageFactory::captchaPng("4821", 8));
    EXPECT_NE(ImageFactory::captchaPng("4821", 7), ImageFactory::captchaPng("4822", 7));
}

TEST(ImageFactory, EncoderKeepsPixelsAndRefusesBadSizes)
{
    Canvas canvas(3, 2, Rgb{1, 2, 3});
    canvas.setPixel(2, 1, Rgb{200, 100, 50});
    canvas.setPixel(-1, 9, Rgb{9, 9, 9}); // clipped
    const PngInfo info = checkPng(canvas.toPng());
    ASSERT_TRUE(info.valid);
    EXPECT_EQ(info.width, 3u);
    EXPECT_EQ(info.height, 2u);
    // Second row: filter byte, then three RGB pixels; the last one is the one set.
    EXPECT_EQ(info.pixels.substr(10), std::string("\0\1\2\3\1\2\3\xC8\x64\x32", 10));
    EXPECT_EQ(PngEncoder::encodeRgb(2, 2, std::vector<std::uint8_t>(5)), "");
    EXPECT_EQ(PngEncoder::encodeRgb(0, 2, {}), "");
}
