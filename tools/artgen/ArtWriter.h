// ArtWriter: writes the generated pictures into the two resource folders and remembers failures.
//
// Paths given to the Write functions are relative to the wizard's package (`app/res`) or the
// framework's system package (`dui/res`). A failed write is reported on standard error and makes
// `Ok` false; drawing goes on so one run lists every problem.
#pragma once

#include <string>

class Canvas;

class ArtWriter {
public:
    ArtWriter(std::string appRes, std::string duiRes);

    void AppPng(const Canvas& canvas, const std::string& relative);
    void SystemPng(const Canvas& canvas, const std::string& relative);
    void AppBytes(const std::string& bytes, const std::string& relative);

    bool Ok() const { return ok; }
    int Count() const { return count; }

private:
    void Report(bool written, const std::string& path);

    std::string appRes;
    std::string duiRes;
    bool ok = true;
    int count = 0;
};
