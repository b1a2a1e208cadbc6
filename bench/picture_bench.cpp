// CPU time of turning the picture catalogue into the form the screen keeps
// it in: every embedded PNG decoded by the game's decoder (libdeflate, in
// place, straight into the screen's byte order), against libpng decoding the
// same files in the same process (the baseline), and the full-screen
// pictures zoomed to the screen's size as the screen zooms them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "assets/embedded.h"
#include "assets/png_decode.h"
#include "bench/ratio_reporter.h"
#include "platform/platform.h"

namespace {

bool IsPicture(const EmbeddedAsset& asset) {
    const std::string kind = asset.kind;
    return kind == "sprite" || kind == "image" || kind == "picture";
}

template <bool Fast>
void Catalogue(benchmark::State& state) {
    int64_t pixels = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
            const EmbeddedAsset& asset = kEmbeddedAssets[i];
            if (!IsPicture(asset)) continue;
            platform::PixelBuffer decoded;
            const bool ok =
                Fast ? DecodePng(asset.data, asset.size, platform::PixelOrder::Bgra, decoded)
                     : DecodePngWithLibpng(asset.data, asset.size, platform::PixelOrder::Bgra, decoded);
            if (!ok) state.SkipWithError(asset.label);
            pixels += static_cast<int64_t>(decoded.width) * decoded.height;
        }
    }
    state.counters["Mpixels"] =
        benchmark::Counter(static_cast<double>(pixels) / 1e6, benchmark::Counter::kAvgIterations);
}

void FullScreenZoom(benchmark::State& state) {
    const EmbeddedAsset* background = FindEmbedded("sprite", 15);
    platform::PixelBuffer decoded, zoomed;
    if (!background || !DecodePng(background->data, background->size, platform::PixelOrder::Bgra, decoded))
        state.SkipWithError("no background");
    for (auto _ : state) platform::ZoomPixels(decoded, 1280, 768, zoomed);
}

}  // namespace

BENCHMARK(Catalogue<false>)->Name("CatalogueLibpng")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Catalogue<true>)->Name("CatalogueFast")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(FullScreenZoom)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& cpu = reporter.cpuTime;
    if (cpu.count("CatalogueLibpng/min_time:2.000") && cpu.count("CatalogueFast/min_time:2.000")) {
        const double libpng = cpu.at("CatalogueLibpng/min_time:2.000"),
                     fast = cpu.at("CatalogueFast/min_time:2.000");
        std::printf("decoding every picture: %.0f ms of CPU, %.1f times as fast as libpng (%.0f ms)\n", fast,
                    libpng / fast, libpng);
    }
    if (cpu.count("FullScreenZoom/min_time:1.000"))
        std::printf("zooming one full-screen picture to 1280 x 768: %.1f ms of CPU\n",
                    cpu.at("FullScreenZoom/min_time:1.000"));
    benchmark::Shutdown();
    return 0;
}
