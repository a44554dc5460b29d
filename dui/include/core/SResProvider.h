// Resource providers: stores of (type, name) -> bytes that the framework reads pictures, layouts
// and tables from. Types and names match without regard to case. Providers are reference-counted
// and may be read from any thread (the manager serialises its calls).
//
// Kinds made by CreateResProvider:
//   kResProviderPE    the executable's own packages (every package linked into the program,
//                     generated from an index by respack); Init("") binds it to this executable.
//   kResProviderFiles a folder holding an "index" file of "TYPE NAME file" lines, the same
//                     format respack reads; Init(folder) binds it.
//
// The type "file" is never looked up in a provider: the manager reads the path directly.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "dui/include/core/IBitmap.h"
#include "dui/include/core/IImgX.h"
#include "dui/include/core/SObjRef.h"

class IResProvider : public SRefObject {
public:
    // Binds the provider to its source; 1 on success, 0 when the source cannot be used.
    virtual int Init(const std::wstring& source) = 0;
    virtual bool ContainsResource(std::wstring_view type, std::wstring_view name) = 0;
    // Icon resources are icon files of PNG images (or one PNG picture): the image of size cx is
    // chosen (the next larger, else the largest; 0 means 32) and returned as stored, so the
    // host scales it when the file has no image of that size.
    virtual std::shared_ptr<IBitmap> LoadIconRes(std::wstring_view name, int cx, int cy) = 0;
    // Decodes the resource through the render factory; nothing when absent, empty or not a picture.
    virtual std::shared_ptr<IBitmap> LoadImageRes(std::wstring_view type, std::wstring_view name) = 0;
    virtual std::shared_ptr<IImgX> LoadImgXRes(std::wstring_view type, std::wstring_view name) = 0;
    // 0 when absent.
    virtual std::size_t ResourceSize(std::wstring_view type, std::wstring_view name) = 0;
    // Copies the whole resource; false when absent or empty, and false with
    // SResLastError() == kErrorInsufficientBuffer when `capacity` is too small.
    virtual bool ReadResource(std::wstring_view type, std::wstring_view name, void* buffer,
                              std::size_t capacity) = 0;
};

enum ResProviderKind { kResProviderPE = 0, kResProviderFiles = 1 };

constexpr unsigned kErrorInsufficientBuffer = 122;
// The calling thread's last resource error (0 when none was recorded).
unsigned SResLastError();
void SetResLastError(unsigned error);

// A new, unbound provider of `kind`; nothing for an unknown kind.
SAutoRefPtr<IResProvider> CreateResProvider(int kind);

// The whole resource (type, name) of `provider` itself; false when absent, empty or unreadable.
bool ReadWholeResource(IResProvider& provider, std::wstring_view type, std::wstring_view name,
                       std::string& bytes);
