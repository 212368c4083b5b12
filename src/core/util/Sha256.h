// Sha256: the SHA-256 digest of a byte string, as lower-case hex, so that
// tools can name embedded files by content.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tessaly {

std::string Sha256Hex(std::span<const std::uint8_t> data);

}  // namespace tessaly
