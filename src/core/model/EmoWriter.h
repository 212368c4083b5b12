// Writes a TmodelEMO in the binary model file layout that TmodelEMO reads:
// little-endian numbers, strings as a 32-bit length and their bytes, 52-byte
// face records. Used by the build-time model generators.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/model/EmoModel.h"

namespace tessaly {

// The file's bytes. Throws std::invalid_argument for a model the reader
// would reject (a face corner outside its object's vertex or texture
// coordinate arrays).
std::vector<std::uint8_t> SaveModelToBytes(const TmodelEMO& model);

// Writes the bytes to `path` atomically (FileError on failure).
void SaveModelToFile(const TmodelEMO& model, const std::filesystem::path& path);

}  // namespace tessaly
