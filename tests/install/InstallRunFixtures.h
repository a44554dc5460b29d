// The package archive the installation run's tests share, made by Info-ZIP `zip -P`.
#pragma once

#include <string>
#include <vector>

#include "install/ExtractPackage.h"
#include "tests/testing/TempDir.h"

namespace larkholm::testing {

// One item of a package: a name ending in "/" is a folder item.
struct PackageItem {
    std::string name;
    std::string content;
};

// Zips `items` in the given order with `password` (zip -P); a file item's parent folders are not
// added as items unless listed themselves.
bool MakePackage(const TempDir& scratch, const std::string& archive, const std::vector<PackageItem>& items,
                 const std::string& password = kPackagePassword);

}  // namespace larkholm::testing
