// Result codes of the ZIP reader, their texts, and the process-wide last result. Every call of the
// reader's interface stores what it returns here too; with several readers in use the value is
// only meaningful to the one that called last.
#pragma once

#include <cstdint>

using ZipResult = std::uint32_t;

constexpr ZipResult kZipOk = 0;
constexpr ZipResult kZipDuplicateHandle = 0x100;
constexpr ZipResult kZipCannotOpen = 0x200;
constexpr ZipResult kZipNoMemory = 0x300;
constexpr ZipResult kZipWriteFailed = 0x400;
constexpr ZipResult kZipNotFound = 0x500;
constexpr ZipResult kZipMoreData = 0x600;
constexpr ZipResult kZipCorrupt = 0x700;
constexpr ZipResult kZipReadFailed = 0x800;
constexpr ZipResult kZipPassword = 0x1000;
constexpr ZipResult kZipBadArguments = 0x10000;
constexpr ZipResult kZipNotMemoryZip = 0x20000;
constexpr ZipResult kZipMemorySize = 0x30000;
constexpr ZipResult kZipPreviousError = 0x40000;
constexpr ZipResult kZipAlreadyEnded = 0x50000;
constexpr ZipResult kZipWrongSize = 0x60000;
constexpr ZipResult kZipPartlyUnzipped = 0x70000;
constexpr ZipResult kZipWrongHandleKind = 0x80000;
constexpr ZipResult kZipNotInitialised = 0x1000000;
constexpr ZipResult kZipSeekUnseekable = 0x2000000;
constexpr ZipResult kZipNoChange = 0x4000000;
constexpr ZipResult kZipFlateError = 0x5000000;

// The text of `code` ("unknown zip result code" for values outside the table). Static storage.
const wchar_t* ZipResultText(ZipResult code);

ZipResult LastZipResult();

// Stores `code` as the last result and returns it, so a call can end with `return RememberZipResult(code)`.
ZipResult RememberZipResult(ZipResult code);
