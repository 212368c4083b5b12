#include "cli/job/Shard.h"

#include "cli/Arguments.h"

namespace tessaly::cli {

namespace {

constexpr int kMaxShards = 1'000'000;

int Variable(const Environment& environment, const char* name, int min, int max) {
    const char* value = environment(name);
    if (!value) throw UsageError(std::string("--shard auto: ") + name + " is not set");
    return ParseInteger(name, value, min, max);
}

}  // namespace

Shard ParseShard(const std::string& text, const std::optional<std::string>& shardCount,
                 const Environment& environment) {
    Shard shard;
    if (text == "auto") {
        if (environment("SLURM_ARRAY_TASK_ID")) {
            if (const char* step = environment("SLURM_ARRAY_TASK_STEP");
                step && std::string(step) != "1")
                throw UsageError(
                    "--shard auto: a Slurm array with a step other than 1 "
                    "leaves jobs out; use --shard K/N");
            const int id = Variable(environment, "SLURM_ARRAY_TASK_ID", 0, kMaxShards * 2);
            const int min = environment("SLURM_ARRAY_TASK_MIN")
                                ? Variable(environment, "SLURM_ARRAY_TASK_MIN", 0, kMaxShards * 2)
                                : 0;
            shard.count = Variable(environment, "SLURM_ARRAY_TASK_COUNT", 1, kMaxShards);
            shard.index = id - min;
        } else if (environment("JOB_COMPLETION_INDEX")) {
            shard.index = Variable(environment, "JOB_COMPLETION_INDEX", 0, kMaxShards);
            if (shardCount) {
                shard.count = ParseInteger("--shard-count", *shardCount, 1, kMaxShards);
            } else if (environment("TESSALY_SHARD_COUNT")) {
                shard.count = Variable(environment, "TESSALY_SHARD_COUNT", 1, kMaxShards);
            } else {
                throw UsageError(
                    "--shard auto: a Kubernetes indexed job needs the number of "
                    "shards (--shard-count N or TESSALY_SHARD_COUNT)");
            }
        } else {
            throw UsageError(
                "--shard auto: neither a Slurm job array (SLURM_ARRAY_TASK_ID) nor a "
                "Kubernetes indexed job (JOB_COMPLETION_INDEX) is running this");
        }
        if (shard.index < 0 || shard.index >= shard.count)
            throw UsageError("--shard auto: task " + std::to_string(shard.index) +
                             " is outside 0.." + std::to_string(shard.count - 1));
        return shard;
    }
    if (shardCount) throw UsageError("--shard-count goes only with --shard auto");
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        throw UsageError("--shard: expected K/N or auto, not \"" + text + "\"");
    shard.count = ParseInteger("--shard", text.substr(slash + 1), 1, kMaxShards);
    shard.index = ParseInteger("--shard", text.substr(0, slash), 1, shard.count) - 1;
    return shard;
}

}  // namespace tessaly::cli
