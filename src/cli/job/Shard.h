// Shard: which jobs of a manifest this process renders when N processes (on
// one machine or a cluster) split it with no coordination: job i (0-based,
// in file order) belongs to shard K of N when i mod N = K - 1.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tessaly::cli {

struct Shard {
    int index = 0;  // K - 1
    int count = 1;  // N
    bool Has(std::size_t job) const {
        return job % static_cast<std::size_t>(count) == static_cast<std::size_t>(index);
    }
};

using Environment = std::function<const char*(const char*)>;

// "K/N" with 1 <= K <= N, or "auto": from a Slurm job array
// (SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_MIN, SLURM_ARRAY_TASK_COUNT) or a
// Kubernetes Indexed Job (JOB_COMPLETION_INDEX, with the count from
// `shardCount` or TESSALY_SHARD_COUNT). Throws UsageError.
Shard ParseShard(const std::string& text, const std::optional<std::string>& shardCount,
                 const Environment& environment);

}  // namespace tessaly::cli
