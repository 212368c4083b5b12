// DroppedFiles: files dropped on the window from a file manager. A dropped
// file is a picture for an image slot (by its extension, then read through
// the same picture readers as a chosen one), a project or a template to
// open, or something the window refuses. A picture dropped on the rendering
// panel goes to the slot whose face is under the pointer.
#pragma once

#include <optional>
#include <string>

namespace tessaly {

class MainState;

enum class DroppedKind { Picture, Project, Template, Unknown };

// By the extension, without regard to case.
DroppedKind ClassifyDroppedFile(const std::string& path);

// An image slot: a face (1..3) or the floor (kFloorSlot), or image `Image`
// (1..3) of book `Book` (1..4) when Book is set.
struct DropSlot {
    int Face = 0;
    int Book = 0;
    int Image = 0;
    bool operator==(const DropSlot&) const = default;
};

// The slot whose picture the current cover shows on object `name`.
std::optional<DropSlot> SlotForObject(MainState& state, const std::string& name);
// The slot of the face under pixel (x, y) of a width x height panel.
std::optional<DropSlot> SlotAtPanel(MainState& state, float x, float y, int width, int height);

// Loads `path` into `slot` as Select does.
void LoadDroppedPicture(MainState& state, const DropSlot& slot, const std::string& path);

}  // namespace tessaly
