// IcoWriter: packs square PNG pictures into one icon file (.ico), one directory entry per size.
// PNG-compressed entries are read by the framework's icon loader and by every Windows version
// the wizard supports. `Encode` returns the file's bytes.
#pragma once

#include <string>
#include <vector>

class IcoWriter {
public:
    void AddPng(int size, std::string png);
    std::string Encode() const;

private:
    struct Entry {
        int size;
        std::string png;
    };
    std::vector<Entry> entries;
};
