// JobRunner: draws checked jobs one after another in one started state (one
// OpenGL context, the cover models loaded once) and writes each picture
// atomically. Before each job the state goes back to what start-up left
// (StateSnapshot), so a job never sees the settings of the one before; a
// picture named by several jobs is read and made into a texture once (up to
// a bounded number of textures kept).
#pragma once

#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "cli/ProjectSession.h"
#include "cli/job/JobRecord.h"
#include "cli/job/OutputQueue.h"
#include "cli/job/StateSnapshot.h"
#include "core/ui/UserPort.h"
#include "render/PictureRender.h"

namespace tessaly::cli {

// The job could not be made; what() is the reason.
class JobFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// No job can be made (no OpenGL context, no cover models).
class RunnerFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Keeps the text of the last error message, which becomes a failed job's
// reason; other messages (model warnings) go to stderr when asked to.
class JobPort : public QuietPort {
  public:
    explicit JobPort(bool printWarnings) : QuietPort(false), printWarnings_(printWarnings) {}
    MessageAnswer ShowMessage(MessageKind kind, const std::string& text, const std::string& caption,
                              MessageButtons buttons, const std::string& key = {}) override;
    std::string LastError;
    // Errors and warnings shown since the job began.
    int Problems = 0;

  private:
    bool printWarnings_;
};

class JobRunner {
  public:
    explicit JobRunner(bool printWarnings = true);
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Draws `job` (checked by CheckJob) and writes its picture. Throws
    // JobFailure or the writer's error for this job, RunnerFailure when no
    // job can be made at all.
    void Run(const JobRecord& job);
    // The same, with a picture file handed to `queue` (when given) once it
    // is drawn: the returned future gives the moment the file was in place,
    // or holds the reason it is not. Errors up to the end of the drawing are
    // thrown here as by Run.
    std::future<WrittenAt> Run(const JobRecord& job, OutputQueue* queue);

    // Called after each tile of a picture is drawn; false stops the job.
    TileProgress TileDone;
    // The most pixels of a tile the program chooses (PictureRequest).
    std::int64_t TilePixels = kLeanTilePixels;

    // How many picture files were read into textures (for tests and the
    // benchmark: a picture used by many jobs is read once).
    int PicturesRead() const { return picturesRead_; }

    // Textures kept for later jobs: at most this many, and at most this many
    // bytes of picture data among them.
    static constexpr std::size_t kMaxCachedTextures = 32;
    static constexpr std::size_t kMaxCachedBytes = 128u << 20;

  private:
    // Writes the driver's capabilities to `path`; a RunnerFailure when it
    // cannot be written.
    void WriteDriverLog(const std::string& path);
    void Start(const JobRecord& job);
    void Apply(const JobRecord& job);
    GLuint PictureTexture(const std::string& path);
    void ReleaseOwned();
    [[noreturn]] void Fail(const std::string& fallback);

    JobPort port_;
    std::unique_ptr<TempFolder> images_;
    std::unique_ptr<MainState> state_;
    std::string model_;
    StateSnapshot snapshot_;
    struct Cached {
        GLuint texture = 0;
        std::uint64_t lastUse = 0;
        std::size_t bytes = 0;
    };
    std::map<std::string, Cached> textures_;
    std::size_t cachedBytes_ = 0;
    // Texture names a project made during the current job.
    std::vector<GLuint> owned_;
    std::uint64_t jobNumber_ = 0;
    int picturesRead_ = 0;
};

}  // namespace tessaly::cli
