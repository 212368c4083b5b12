// ExportTexts: the texts of File > Export Picture..., its dialog and its
// progress, and of the copy with a transparent background. Each has a
// message key in the "Messages" section of the language files and the
// English text used where a language file lacks it. %1 and %2 stand for
// numbers.
#pragma once

#include <array>

#include "core/i18n/WindowTexts.h"

namespace tessaly {

inline constexpr std::array<WindowText, 34> kExportTexts = {{
    {"exportmenu", "Export Picture..."},
    {"exportcopyalpha", "Copy with Transparent Background"},
    {"exporttitle", "Export Picture"},
    {"exportpreset", "Preset:"},
    {"exportcustom", "Custom"},
    {"exportpanel", "Panel size (%1 × %2)"},
    {"exporta4", "A4 at 300 dpi"},
    {"export6x9", "6 × 9 in at 300 dpi"},
    {"exportsize", "Size:"},
    {"exportpixels", "pixels"},
    {"exportmm", "mm"},
    {"exportinches", "inches"},
    {"exportdpi", "Resolution:"},
    {"exportresult", "The picture: %1 × %2 pixels"},
    {"exporttoolarge", "Each side must be 1 to %1 pixels."},
    {"exportbaddpi", "The resolution must be 1 to %1 dpi."},
    {"exportformat", "Format:"},
    {"exportquality", "JPEG quality:"},
    {"exporttransparent", "Transparent background (PNG only)"},
    {"exportbutton", "Export..."},
    {"exportprogress", "Drawing the picture: part %1 of %2"},
    {"exportcancel", "Cancel"},
    {"exporttippreset", "Sizes often asked for; changing the size by hand makes it a custom size"},
    {"exporttipwidth", "Width of the picture in the chosen unit"},
    {"exporttipheight", "Height of the picture in the chosen unit"},
    {"exporttipunit", "Give the size in pixels, or in millimetres or inches at the resolution"},
    {"exporttipdpi", "Dots per inch: turns a print size into pixels and is written into the file"},
    {"exporttipresult", "The size of the picture that will be written"},
    {"exporttipformat", "The file type of the picture"},
    {"exporttipquality", "Higher is sharper and larger (1 to 100); JPEG only"},
    {"exporttiptransparent",
     "No background colour and no floor: the cover, its shadow and reflection on a clear "
     "background (PNG only)"},
    {"exporttipexport", "Choose where to save the picture, then draw it"},
    {"exporttipcancel", "Close without exporting"},
    {"exporttipcopyalpha", "Puts the view on the clipboard as a PNG with a clear background"},
}};

}  // namespace tessaly
