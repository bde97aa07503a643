// How long the service takes to draw the pictures it serves: a captcha is drawn for every
// sign-in window, the other pictures once per start.
#include "FormFields.h"
#include "ImageFactory.h"

#include <benchmark/benchmark.h>

namespace {

void captcha(benchmark::State &state)
{
    std::uint32_t seed = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(refservice::ImageFactory::captchaPng("4821", seed++));
}
BENCHMARK(captcha);

void startupPictures(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(refservice::ImageFactory::logoPng());
        benchmark::DoNotOptimize(refservice::ImageFactory::vxPng());
        benchmark::DoNotOptimize(refservice::ImageFactory::vx2Png());
    }
}
BENCHMARK(startupPictures);

void formFields(benchmark::State &state)
{
    const std::string body = "username=13800000000&password=demo1234&captcha=4821"
                             "&khdkey=0123456789ABCDEF&zd=1&ver=Ver 3.8";
    for (auto _ : state)
        benchmark::DoNotOptimize(refservice::FormFields::parse(body));
}
BENCHMARK(formFields);

} // namespace

BENCHMARK_MAIN();
