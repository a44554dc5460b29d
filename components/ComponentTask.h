// One item of a component queue: which component, and where its installer is.
#pragma once

#include <cstdint>
#include <string>

struct ComponentTask {
    std::int32_t id = 0;  // kComponentDotNet4 or kComponentWic (ComponentTable.h)
    std::string
        location;  // download queue: the installer's URL; setup queue: the downloaded installer's path
};
