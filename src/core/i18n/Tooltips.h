// Tooltips: the short help the main window's buttons, sliders and colour
// swatches show under the mouse pointer. Each text has a message key of its
// own in the "Messages" section of the language files (one key serves every
// control that does the same, such as the Select buttons); a table places the
// texts on the controls by their "Hint" property paths, which the language
// engine walks like the captions. A language lacking a key shows English.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/i18n/WindowTexts.h"

namespace tessaly {

class LanguageComponent;
class TLanguage;

inline constexpr std::array<WindowText, 39> kTooltipTexts = {{
    // Picture slots (Images and Floor tabs)
    {"tipselect", "Choose a picture file for this image. You can also drop a picture here."},
    {"tipedit", "Edit this picture in the image editor chosen in File > Options."},
    {"tiprefresh",
     "Load this picture again from its file. Tessaly also does this by itself when the file "
     "is saved."},
    {"tipbooks", "Choose the pictures of each book in the box."},
    {"tipbook", "Show the pictures of this book."},
    {"tipboxback", "Back to the pictures of the box itself."},
    // Colours
    {"tipcolor", "Choose another color."},
    {"tipswatch", "The color in use. Click Change to choose another."},
    // eCover tab
    {"tipcoverrotate", "Turns the cover about its upright axis, in degrees."},
    {"tiprollz", "Tilts the cover to the left or right, in degrees."},
    {"tiprollx", "Tips the cover forwards or backwards, in degrees."},
    {"tipcoverlift", "Lifts the cover off the floor."},
    {"tipwidth", "Makes the cover narrower or wider."},
    {"tipheight", "Makes the cover lower or taller."},
    {"tipdepth", "Makes the cover thinner or thicker."},
    {"tipcaseangle", "Opens the lid of the case, in degrees."},
    // Floor tab
    {"tipfloortexture", "Cover the floor with this picture. Unchecked, the floor shows its color."},
    {"tipreflexion", "How strongly the floor mirrors the cover."},
    {"tipreflfade", "How far up the cover its reflection fades out."},
    // Scene tab
    {"tipdistance",
     "How far the camera is from the cover. The mouse wheel over the view, or dragging up or "
     "down with the right mouse button, does the same."},
    {"tiprotate",
     "Turns the camera around the cover, in degrees. Dragging sideways in the view with the "
     "left mouse button does the same."},
    {"tiplift",
     "Tilts the camera down over the cover, in degrees. Dragging up or down in the view with "
     "the left mouse button does the same."},
    {"tipelevation", "Moves the whole picture up or down in the view."},
    {"tipstrafe",
     "Moves the whole picture to the left or right. Dragging sideways with the middle mouse "
     "button does the same."},
    {"tipfrontback",
     "Moves the cover nearer or farther. Dragging up or down with the middle mouse button does "
     "the same."},
    {"tipfov",
     "Angle of view of the camera, in degrees: tele to the left, wide angle to the right."},
    {"tipaa",
     "Smooths jagged edges. Further to the right looks finer but draws more slowly; at the far "
     "left it is off."},
    {"tipaxes", "Shows the X, Y and Z axes in the view as a guide."},
    // Light tab
    {"tiplightx", "Moves the light to the left or right."},
    {"tiplighty", "Moves the light up or down."},
    {"tiplightz", "Moves the light to the front or back."},
    {"tiplightsource", "Shows where the light is, as a small yellow ball in the view."},
    {"tipambient", "Light from all sides alike: more of it brightens the sides in shadow."},
    {"tipshadow", "Draws the cover's shadow on the floor."},
    {"tipshadowdark", "How dark the shadow is."},
    // Above the tabs and over the view
    {"tipmodels", "The kind of cover: box, book, notebook, case and more."},
    {"tipshowupdates", "Open the web page that shows them."},
    {"tiphideupdates", "Close this note."},
    // The value labels beside the sliders: %1 and %2 are the ends of the range.
    {"tiptypevalue", "Double-click to type a value from %1 to %2."},
}};

// Which text each control shows, by the control's "Hint" property path.
struct TooltipPlace {
    std::string_view path;
    std::string_view key;
};

extern const std::array<TooltipPlace, 69> kTooltipPlaces;

// The text of a tooltip key in `languageFile`, its English text when the file
// lacks it; empty for a key that is not a tooltip key.
std::string TooltipTextOf(const std::filesystem::path& languageFile, std::string_view key);

// Writes every placed tooltip, in the language of `language`'s current file,
// into the controls found from `application`; controls that do not exist are
// skipped.
void ApplyTooltips(TLanguage& language, LanguageComponent& application);

}  // namespace tessaly
