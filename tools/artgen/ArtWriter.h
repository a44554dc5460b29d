// ArtWriter: writes the generated pictures into the two resource folders and remembers failures.
//
// Paths given to the Write functions are relative to the wizard's package (`app/res`) or the
// framework's system package (`dui/res`). A failed write is reported on standard error and makes
// `Ok` false; drawing goes on so one run lists every problem. A writer serves one scale: its
// pictures keep the given name at 100 % and add "@" and the percent before the extension at other
// scales ("image/image_bk@150.png"), the names the framework looks for.
#pragma once

#include <string>

class Canvas;

class ArtWriter {
public:
    ArtWriter(std::string appRes, std::string duiRes, int scale);

    int Scale() const { return scale; }

    void AppPng(const Canvas& canvas, const std::string& relative);
    void SystemPng(const Canvas& canvas, const std::string& relative);
    void AppBytes(const std::string& bytes, const std::string& relative);

    bool Ok() const { return ok; }
    int Count() const { return count; }

private:
    void Report(bool written, const std::string& path);
    std::string Named(const std::string& relative) const;

    std::string appRes;
    std::string duiRes;
    int scale;
    bool ok = true;
    int count = 0;
};
