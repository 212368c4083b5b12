// INI reading with the rules of the classic private-profile files, used for
// the language files: "[Section]" lines open sections, "key = value" lines
// hold entries, lines starting with ";" are comments. Section and key names
// match without regard to ASCII case; whitespace around names and values is
// trimmed; the first section of a name, and the first key of a name inside it,
// is the one read; a value wrapped in matching quotes loses them; a value is
// cut to kIniMaxValueBytes bytes (never inside a UTF-8 sequence). Text is
// UTF-8 (a leading byte-order mark is skipped) with LF or CR LF line ends.
// Nothing is cached: each call reads the file as it is on disk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// The longest value returned, in bytes (a 2048-byte buffer with its
// terminating zero).
inline constexpr std::size_t kIniMaxValueBytes = 2047;

// The value of `key` in `section` of the INI text `text`; nullopt when the
// section or the key is missing.
std::optional<std::string> ReadIniValueFromText(std::string_view text, std::string_view section,
                                                std::string_view key);

// The same, reading the file `path` anew; nullopt also when the file is
// missing or cannot be read (never throws for a bad or missing file).
std::optional<std::string> ReadIniValue(const std::filesystem::path& path, std::string_view section,
                                        std::string_view key);

// ReadIniValue, with `defaultValue` in place of a missing file, section or key.
std::string ReadIniString(const std::filesystem::path& path, std::string_view section,
                          std::string_view key, std::string_view defaultValue);

}  // namespace tessaly
