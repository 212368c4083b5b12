// CoverSnapshot: what a project stores of the current cover (type, options,
// every stored slider, check box and colour, and the pictures of the image
// slots), held in memory so that the window can step back to it. Pictures are
// kept by their bytes, read only when a slot's file changed since the last
// snapshot and otherwise shared with it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaly {

class MainState;

// One image slot's file as it was: its path, size and modification time
// (which tell a changed file) and its bytes.
struct SlotFile {
    std::string Path;
    std::uintmax_t Size = 0;
    std::int64_t Time = 0;
    bool Exists = false;
    std::shared_ptr<const std::vector<std::uint8_t>> Bytes;

    bool SameAs(const SlotFile& other) const {
        return Path == other.Path && Exists == other.Exists && Size == other.Size &&
               Time == other.Time;
    }
};

// Slots 0..2 the faces, 3 the floor, 4..15 the book images (book-major).
inline constexpr int kSnapshotSlots = 16;

struct CoverSnapshot {
    int Entry = 0;
    std::map<std::string, int> Positions;
    std::map<std::string, bool> Checks;
    std::map<std::string, std::uint32_t> Colors;
    std::array<SlotFile, kSnapshotSlots> Files;

    // Same cover and settings, same files (by path, size and time).
    bool SameAs(const CoverSnapshot& other) const;
};

// Path, size and time of the file at `path` now, without its bytes.
SlotFile StampFile(const std::string& path);
// The path slot k (0..kSnapshotSlots-1) shows now.
std::string SnapshotSlotPath(MainState& state, int k);
// Loads slot k from its path again, as its Refresh button does.
void ReloadSnapshotSlot(MainState& state, int k);

// The current cover. Files that have not changed since `previous` share its
// bytes; others are read (a file that cannot be read is kept without bytes).
CoverSnapshot TakeSnapshot(MainState& state, const CoverSnapshot* previous = nullptr);

// Makes `snapshot` the current cover: its type, then its sliders, check boxes
// and colours (through their handlers, as a project does), then its pictures:
// a slot whose file changed gets its old bytes written back to its path and
// is loaded again. Does not touch Modified; the caller decides it.
void RestoreSnapshot(MainState& state, const CoverSnapshot& snapshot);

}  // namespace tessaly
