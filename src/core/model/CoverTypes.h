// The cover types: the fifteen identifiers the program knows, with their File
// menu entries, their one-byte codes in project and template files, their kind
// and the option controls that belong to them. Identifiers are compared as
// exact, case-sensitive strings.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tessaly {

enum class CoverKind { Box, Book, Magazine, SpiralNotebook, Case, BoxOfBooks };

// The options a cover type brings along on the "eCover" tab.
enum class CoverOptions {
    None,
    Dimensions,   // width, height and depth ("ecoDimensionsG")
    SpineColor,   // "SpineGroup"
    SpiralColor,  // "SpiralGroup"
    CaseAngle,    // "ecoCDOpt"
    BookImages,   // images of books 1 to `Books` ("BitBtn26")
};

struct CoverType {
    std::string_view Id;
    std::string_view MenuEntry;  // text in File, "New ..."; empty when the type has none
    std::string_view Handler;    // the menu entry's handler; empty when none
    std::uint8_t Code;           // code in project and template files; 0 when none
    CoverKind Kind;
    CoverOptions Options;
    std::string_view OptionsControl;  // the control showing the options; empty when none
    int Books;                        // books held by a box of books, else 0
};

inline constexpr std::array<CoverType, 15> kCoverTypes{{
    {"stdbox", "Standard Box", "StandardBox1Click", 1, CoverKind::Box, CoverOptions::None, "", 0},
    {"thinbox", "Thin Box", "hinBox1Click", 2, CoverKind::Box, CoverOptions::None, "", 0},
    {"widebox", "Wide Box", "WideBox1Click", 3, CoverKind::Box, CoverOptions::None, "", 0},
    {"cbox", "Customizable box", "Customizablebox1Click", 4, CoverKind::Box,
     CoverOptions::Dimensions, "ecoDimensionsG", 0},
    {"flatbook", "Book", "Book1Click", 5, CoverKind::Book, CoverOptions::SpineColor, "SpineGroup",
     0},
    {"roundedbook", "", "", 0, CoverKind::Book, CoverOptions::None, "", 0},
    {"roundedbbook", "", "", 0, CoverKind::Book, CoverOptions::None, "", 0},
    {"magazine", "Magazine", "Magazine1Click", 6, CoverKind::Magazine, CoverOptions::None, "", 0},
    {"spiral1", "Spiral Notebook", "Spiral1Click", 7, CoverKind::SpiralNotebook,
     CoverOptions::SpiralColor, "SpiralGroup", 0},
    {"spiral2", "Wide Spiral Notebook", "WideSpiralNotebook1Click", 8, CoverKind::SpiralNotebook,
     CoverOptions::SpiralColor, "SpiralGroup", 0},
    {"cdcase", "CD/DVD Case", "CDDVDCase1Click", 9, CoverKind::Case, CoverOptions::CaseAngle,
     "ecoCDOpt", 0},
    {"dvdcase", "", "", 13, CoverKind::Case, CoverOptions::CaseAngle, "ecoCDOpt", 0},
    {"2bookbox", "2 Books Box", "N2BooksBox1Click", 10, CoverKind::BoxOfBooks,
     CoverOptions::BookImages, "BitBtn26", 2},
    {"3bookbox", "3 Books Box", "N3BooksBox1Click", 11, CoverKind::BoxOfBooks,
     CoverOptions::BookImages, "BitBtn26", 3},
    {"4bookbox", "4 Books Box", "N4BooksBox1Click", 12, CoverKind::BoxOfBooks,
     CoverOptions::BookImages, "BitBtn26", 4},
}};

// The File menu's "New ..." submenu from top to bottom: identifiers, with an
// empty string for each separator.
inline constexpr std::array<std::string_view, 17> kNewCoverMenu{
    "stdbox", "thinbox",  "widebox", "cbox",   "", "flatbook", "",         "spiral1",  "spiral2",
    "",       "magazine", "",        "cdcase", "", "2bookbox", "3bookbox", "4bookbox",
};

// The table row of `id`, or nullptr for a string that is not an identifier.
const CoverType* FindCoverType(std::string_view id);

bool IsKnownCoverType(std::string_view id);

// 1 to 13 for the numbered identifiers; 0 for "roundedbook", "roundedbbook"
// and every other string.
std::uint8_t TypeCode(std::string_view id);

// The identifier with this code; empty for 0 and for 14 to 255.
std::string_view IdentifierForCode(std::uint8_t code);

}  // namespace tessaly
