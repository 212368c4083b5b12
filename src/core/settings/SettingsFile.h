// TSettingsFile: the preferences store behind "settings.ini". The file is a
// list of lines in which a line naming a key is followed by the line holding
// its value. It is read once at start, answers look-ups from memory and is
// rewritten whole (atomically, CR LF line ends) after every change.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Name of the settings file inside the program folder.
inline constexpr std::string_view kSettingsFileName = "settings.ini";

// Every key the program reads or writes.
inline constexpr std::string_view kDefaultEditorKey = "DefaultEditor";  // always the first key
inline constexpr std::string_view kOpenPicKey = "OpenPic";
inline constexpr std::string_view kUpdateCheckKey = "UpdateCheck";
inline constexpr std::string_view kCaptureKey = "capture";
inline constexpr std::string_view kCDepthKey = "CDepth";
inline constexpr std::string_view kLanguageKey = "Language";
inline constexpr std::string_view kDWarningKey = "dWarning";
// The warning dialog writes its key through the bracketed form, so the key
// line of "dWarning" must contain the brackets.
inline constexpr std::string_view kDWarningWriteKey = "[dWarning]";
inline constexpr std::string_view kFrmsKey = "frms";

// The keys in the order of the shipped file, the editor key first.
inline constexpr std::array<std::string_view, 8> kSettingsKeys = {
    kDefaultEditorKey, kOpenPicKey,  kUpdateCheckKey, kCaptureKey,
    kCDepthKey,        kLanguageKey, kDWarningKey,    kFrmsKey,
};

// Values compared by the readers (exact, case-sensitive).
inline constexpr std::string_view kSettingOn = "on";
inline constexpr std::string_view kSettingOff = "off";
inline constexpr std::string_view kCaptureSameAsView = "view";
inline constexpr std::string_view kCapturePreferredSize = "pref";
// The editor value that stands for the system's paint program.
inline constexpr std::string_view kSystemPaintEditor = "PBRUSH";

// What ReadValue answers when no key line names the key.
inline constexpr std::string_view kSettingMissing = "-";

class TSettingsFile {
  public:
    // Remembers `fileName`; if it names an existing file, reads all its lines
    // (LF or CR LF line ends) in place of those held. If it does not exist the
    // lines held stay as they were. Throws FileError when the file exists but
    // cannot be read.
    void Load(const std::filesystem::path& fileName);

    // The line after the last key line that contains `key` (ASCII letters
    // compared without regard to case); "-" when no key line names it, and ""
    // when the matching key line is the last line of the file.
    std::string ReadValue(std::string_view key) const;

    // Sets the value line of every key line that contains `key`, then rewrites
    // the file if it still exists on disk (otherwise the change stays in
    // memory). A key that no line names changes nothing. Throws
    // std::invalid_argument for a value holding a line break (it would shift
    // every later key off its value) and FileError when the file cannot be
    // written; the file on disk is then unchanged.
    void WriteValue(std::string_view key, std::string_view value);

    // WriteValue, except that a key no line names yet is added at the end of
    // the file as a key line "[key]" followed by the value. For the window's
    // own keys, which older files lack.
    void WriteOrAddValue(std::string_view key, std::string_view value);

    // The line at `index` as held in memory; "" for an index out of range.
    std::string ReadLine(int index) const;

    int LineCount() const { return static_cast<int>(lines_.size()); }
    const std::filesystem::path& FileName() const { return fileName_; }

  private:
    std::filesystem::path fileName_;
    std::vector<std::string> lines_;
};

}  // namespace tessaly
