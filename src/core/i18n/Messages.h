// Message look-up: the text of a message key in the "Messages" section of a
// language file; when an existing language file lacks the key, the English
// file beside it is asked; the key itself when neither has it (or the
// language file is missing). The file is read anew on every call and nothing is kept between
// calls, so the update-check worker may call it while the main thread does.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace tessaly {

// The language file section that holds the message texts.
inline constexpr std::string_view kMessagesSection = "Messages";
// The language that stands in for a message another language lacks.
inline constexpr std::string_view kFallbackLanguageFile = "English.ini";

// The value of `key` in section "Messages" of `languageFile`, else of the
// English file beside it; `key` itself when there is none. Never throws for a missing or unreadable
// file.
std::string GetMessage(const std::filesystem::path& languageFile, std::string_view key);

// Every message key the program looks up (the cover type identifiers, also
// looked up as messages, are listed with the cover types).
inline constexpr std::array<std::string_view, 35> kMessageKeys = {
    "lfdne",
    "cclf",
    "ufe",
    "sceco",
    "scenefilenotfound",
    "aacheck",
    "liat",
    "cli",
    "done",
    "riat",
    "lbai",
    "lngi",
    "rngfl",
    "filenotfound",
    "notvalidcover",
    "notvalidtemplate",
    "im1notfound",
    "im2notfound",
    "im3notfound",
    "resetset",
    "resetall",
    "cantreset",
    "mydocsnotfound",
    "imagesavedir",
    "ecoversaved",
    "ccfuptds",
    "updtsav",
    "nupdtsav",
    "tutav",
    "ntutav",
    "wline1",
    "wline2",
    "wline3",
    "wline4",
    "wline5",
};

}  // namespace tessaly
