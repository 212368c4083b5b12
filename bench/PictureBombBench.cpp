// A decompression bomb within the limits: a 16384 x 16384 PNG of about
// 780 KB (one colour, so it compresses a thousandfold), made by the benchmark
// itself. Each run decodes it in a child process, as the picture road does
// for a face texture (decoded straight to the texture's size, then brought
// to power-of-two sides) and, for comparison, at its full size; the counter
// peak_MiB is the child's peak resident memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/images/AreaScale.h"
#include "core/images/PictureReader.h"

namespace {

using namespace tessaly;

constexpr int kSide = 16384;

void PutBig32(std::string& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<char>(v >> s));
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    PutBig32(out, static_cast<std::uint32_t>(
                      crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// An RGB PNG of kSide x kSide black pixels, every row with filter 0.
std::string BombPath() {
    const auto path = std::filesystem::temp_directory_path() / "tessaly-bomb-16384.png";
    if (std::filesystem::exists(path)) return path.string();
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<Bytef> row(1 + static_cast<std::size_t>(kSide) * 3, 0);
    std::string idat;
    std::vector<Bytef> buffer(1 << 16);
    for (int y = 0; y <= kSide; ++y) {
        const bool last = y == kSide;
        z.next_in = last ? nullptr : row.data();
        z.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            z.next_out = buffer.data();
            z.avail_out = static_cast<uInt>(buffer.size());
            deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            idat.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    PutBig32(ihdr, kSide);
    PutBig32(ihdr, kSide);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", idat);
    Chunk(png, "IEND", "");
    std::ofstream(path, std::ios::binary) << png;
    return path.string();
}

// What the texture maker holds at most: the decoded picture, its texture
// pixels and their power-of-two copy.
void DecodeForTexture(const std::string& path, int textureSide) {
    const RgbaImage picture = ReadPicture(path, textureSide);
    const TexturePixels pixels = PictureToTexturePixels(picture);
    const TextureSize size = TextureSizeFor(pixels.width, pixels.height, kMaxTextureSide);
    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(size.width) * size.height * 4);
    ScaleByArea(pixels.data.data(), pixels.width, pixels.height, 4, scaled.data(), size.width,
                size.height);
    benchmark::DoNotOptimize(scaled.data());
}

// Runs the decode in a child and returns its peak resident memory in MiB
// (negative when the child failed).
double PeakMiBOfChild(const std::string& path, int textureSide) {
    const pid_t child = fork();
    if (child == 0) {
        try {
            DecodeForTexture(path, textureSide);
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void BM_PngBomb16384(benchmark::State& bench) {
    const std::string path = BombPath();
    const int textureSide = static_cast<int>(bench.range(0));
    double peak = 0;
    for (auto _ : bench) peak = PeakMiBOfChild(path, textureSide);
    bench.counters["peak_MiB"] = peak;
    bench.counters["file_KB"] = static_cast<double>(std::filesystem::file_size(path)) / 1000.0;
    bench.SetLabel(textureSide ? "for a texture" : "full size");
}
BENCHMARK(BM_PngBomb16384)
    ->Arg(kMaxTextureSide)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
