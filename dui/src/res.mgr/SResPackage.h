// The layout of a resource package compiled into the program by respack, and the list of every
// package linked in. Each generated source defines one SResPackage under its own global name and
// a registrar that prepends it to gLinkedResPackages during static initialisation. The list head
// is an inline variable, so a package source needs nothing from the dui library to register and
// any number of packages can be linked into one program. Read-only once main() runs.
#pragma once

#include <cstddef>

struct SResPackageEntry {
    const char* type;  // UTF-8, as written in the index
    const char* name;
    const unsigned char* data;  // nullptr for an empty file
    std::size_t size;
};

struct SResPackage {
    const SResPackageEntry* entries;
    std::size_t count;
    SResPackage* next;
};

inline SResPackage* gLinkedResPackages = nullptr;

struct SResPackageRegistrar {
    explicit SResPackageRegistrar(SResPackage& package) {
        package.next = gLinkedResPackages;
        gLinkedResPackages = &package;
    }
};
