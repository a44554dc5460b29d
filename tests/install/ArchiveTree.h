// Extraction of a whole archive with the ZIP reader, and its comparison with a reference tree.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "install/ZipReader.h"

namespace larkholm::testing {

struct ItemOutcome {
    ZipEntryInfo info;
    ZipResult result = kZipOk;
};

// Drives the reader as package extraction does: the item count, then each item's record and its
// extraction to folder + "/" + the item's name.
std::vector<ItemOutcome> ExtractAll(const std::string& archive, const char* password, const std::string& folder);

bool OwnerMayWrite(const std::filesystem::path& path);

// Our extraction must hold exactly what unzip made: the same folders and files, the same bytes,
// last-write times and read-only state. Folder times are not compared (folders get none).
void ExpectSameTree(const std::filesystem::path& reference, const std::filesystem::path& ours);

}  // namespace larkholm::testing
