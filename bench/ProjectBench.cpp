// Opening a cover project headless whose four images (three faces and the
// floor) are 10-megapixel JPEG pictures: reading, unpacking the working
// copies, decoding and making the textures, as "Open eCover" does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "app/MainState.h"
#include "app/ProgramFolder.h"
#include "app/project/CoverProject.h"
#include "core/images/JpegCodec.h"
#include "core/io/FileIO.h"
#include "core/project/CoverFile.h"
#include "render/EglContext.h"

namespace {

using namespace tessaly;

constexpr int kWidth = 3872;
constexpr int kHeight = 2592;  // 10.0 megapixels

std::vector<std::uint8_t> Picture(int seed) {
    RgbaImage image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>((x * 255) / kWidth + seed * 40);
            p[1] = static_cast<std::uint8_t>((y * 255) / kHeight);
            p[2] = static_cast<std::uint8_t>(((x / 64 + y / 64) % 2) * 120 + seed * 20);
            p[3] = 255;
        }
    std::ostringstream out(std::ios::binary);
    WriteJpeg(image, 80, out);
    const std::string s = std::move(out).str();
    return {s.begin(), s.end()};
}

void BM_OpenProjectWithFourJpegs(benchmark::State& bench) {
    const auto folder = std::filesystem::temp_directory_path() / "tessaly-project-bench";
    std::filesystem::create_directories(folder);
    const std::string project = (folder / "big.eco").string();
    {
        std::vector<std::vector<std::uint8_t>> pictures;
        for (int i = 0; i < 4; ++i) pictures.push_back(Picture(i));
        std::vector<CoverSection> sections = {TypeSection(1)};
        const std::uint8_t tags[4] = {cover_tag::Image1, cover_tag::Image2, cover_tag::Image3,
                                      cover_tag::FloorImage};
        for (int i = 0; i < 4; ++i)
            sections.push_back(ImageSection(
                tags[i], {ImageRecord{".jpg", static_cast<std::int32_t>(pictures[i].size()),
                                      pictures[i], false}}));
        sections.push_back(ImageSection(cover_tag::BookImages, {}));
        WriteFileAtomically(project, CoverFileBytes(CoverFileKind::Project, sections));
    }
    QuietPort port(false);
    MainState state(ProgramFolder(), port, std::make_unique<EglContext>());
    state.Session.ImagesFolder = (folder / "Images").string() + "/";
    SetupOptions setup;
    setup.width = 320;
    setup.height = 240;
    if (!state.Session.SetupRendering(setup)) {
        bench.SkipWithError("no OpenGL context");
        return;
    }
    state.SetRenderingEnabled(true);
    for (auto _ : bench) {
        if (!ReadCoverProject(state, project)) bench.SkipWithError("the project did not open");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_OpenProjectWithFourJpegs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
