#include "core/images/AreaScale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace tessaly {

namespace {

// The source pixels one target pixel of an axis covers, with their weights
// (the covered part of each, divided by the covered length, so they sum to 1).
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> Spans(int sourceSide, int targetSide) {
    std::vector<Span> spans(static_cast<std::size_t>(targetSide));
    const double scale = static_cast<double>(sourceSide) / targetSide;
    for (int t = 0; t < targetSide; ++t) {
        const double from = t * scale;
        const double to = std::min<double>(sourceSide, (t + 1) * scale);
        int first = static_cast<int>(std::floor(from));
        first = std::clamp(first, 0, sourceSide - 1);
        Span& span = spans[static_cast<std::size_t>(t)];
        span.first = first;
        for (int s = first; s < sourceSide && s < to; ++s) {
            const double covered = std::min<double>(s + 1, to) - std::max<double>(s, from);
            if (covered > 0) span.weights.push_back(static_cast<float>(covered / (to - from)));
            else if (span.weights.empty()) ++span.first;
        }
        if (span.weights.empty()) span.weights.push_back(1.0f);
    }
    return spans;
}

// Resamples one source row across into `out` (targetWidth pixels).
template <int C>
void Across(const std::uint8_t* line, const std::vector<Span>& columns, float* out) {
    for (const Span& span : columns) {
        float sum[C] = {};
        const std::uint8_t* in = line + static_cast<std::size_t>(span.first) * C;
        for (const float w : span.weights) {
            for (int c = 0; c < C; ++c) sum[c] += w * in[c];
            in += C;
        }
        for (int c = 0; c < C; ++c) out[c] = sum[c];
        out += C;
    }
}

template <int C>
void Scale(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::uint8_t* target,
           int targetWidth, int targetHeight) {
    const std::vector<Span> columns = Spans(sourceWidth, targetWidth);
    const std::vector<Span> rows = Spans(sourceHeight, targetHeight);
    const std::size_t sourceRow = static_cast<std::size_t>(sourceWidth) * C;
    const std::size_t targetRow = static_cast<std::size_t>(targetWidth) * C;

    // A few source rows resampled across are kept: neighbouring target rows
    // share the source rows on their common edge, so each source row is
    // resampled about once.
    constexpr int kCached = 4;
    std::vector<float> cache(targetRow * kCached);
    int cachedRow[kCached] = {-1, -1, -1, -1};
    auto resampled = [&](int sy) -> const float* {
        float* slot = &cache[static_cast<std::size_t>(sy % kCached) * targetRow];
        if (cachedRow[sy % kCached] != sy) {
            Across<C>(source + static_cast<std::size_t>(sy) * sourceRow, columns, slot);
            cachedRow[sy % kCached] = sy;
        }
        return slot;
    };

    std::vector<float> sum(targetRow);
    for (int ty = 0; ty < targetHeight; ++ty) {
        const Span& down = rows[static_cast<std::size_t>(ty)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (std::size_t k = 0; k < down.weights.size(); ++k) {
            const float* across = resampled(down.first + static_cast<int>(k));
            const float w = down.weights[k];
            for (std::size_t i = 0; i < targetRow; ++i) sum[i] += w * across[i];
        }
        std::uint8_t* out = target + static_cast<std::size_t>(ty) * targetRow;
        for (std::size_t i = 0; i < targetRow; ++i)
            out[i] = static_cast<std::uint8_t>(std::clamp(sum[i] + 0.5f, 0.0f, 255.0f));
    }
}

}  // namespace

void ScaleByArea(const std::uint8_t* source, int sourceWidth, int sourceHeight, int components,
                 std::uint8_t* target, int targetWidth, int targetHeight) {
    switch (components) {
        case 1: return Scale<1>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight);
        case 2: return Scale<2>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight);
        case 3: return Scale<3>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight);
        default: return Scale<4>(source, sourceWidth, sourceHeight, target, targetWidth, targetHeight);
    }
}

}  // namespace tessaly
