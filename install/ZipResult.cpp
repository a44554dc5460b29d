#include "install/ZipResult.h"

#include <atomic>

namespace {

std::atomic<ZipResult> lastResult{kZipOk};

struct ResultText {
    ZipResult code;
    const wchar_t* text;
};

// The wording (including its spelling) is the reader's established message table.
constexpr ResultText kResultTexts[] = {
    {kZipOk, L"Success"},
    {kZipDuplicateHandle, L"Culdn't duplicate handle"},
    {kZipCannotOpen, L"Couldn't create/open file"},
    {kZipNoMemory, L"Failed to allocate memory"},
    {kZipWriteFailed, L"Error writing to file"},
    {kZipNotFound, L"File not found in the zipfile"},
    {kZipMoreData, L"Still more data to unzip"},
    {kZipCorrupt, L"Zipfile is corrupt or not a zipfile"},
    {kZipReadFailed, L"Error reading file"},
    {kZipPassword, L"Correct password required"},
    {kZipBadArguments, L"Caller: faulty arguments"},
    {kZipNotMemoryZip, L"Caller: can only get memory of a memory zipfile"},
    {kZipMemorySize, L"Caller: not enough space allocated for memory zipfile"},
    {kZipPreviousError, L"Caller: there was a previous error"},
    {kZipAlreadyEnded, L"Caller: additions to the zip have already been ended"},
    {kZipWrongSize, L"Zip-bug: the anticipated size turned out wrong"},
    {kZipPartlyUnzipped, L"Caller: the file had already been partially unzipped"},
    {kZipWrongHandleKind, L"Caller: mixing creation and opening of zip"},
    {kZipNotInitialised, L"Zip-bug: internal initialisation not completed"},
    {kZipSeekUnseekable, L"Zip-bug: trying to seek the unseekable"},
    {kZipNoChange, L"Zip-bug: tried to change mind, but not allowed"},
    {kZipFlateError, L"Zip-bug: an internal error during flation"},
};

}  // namespace

const wchar_t* ZipResultText(ZipResult code) {
    for (const ResultText& entry : kResultTexts)
        if (entry.code == code) return entry.text;
    return L"unknown zip result code";
}

ZipResult LastZipResult() {
    return lastResult.load(std::memory_order_relaxed);
}

ZipResult RememberZipResult(ZipResult code) {
    lastResult.store(code, std::memory_order_relaxed);
    return code;
}
