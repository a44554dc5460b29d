// Read-only access to a ZIP archive through a handle: open it (with a password for encrypted
// items), read the entry record of item i (index -1 gives the item count), write item i to a file,
// close. Used by the package extraction on its worker thread.
//
// Contract:
// - Every call returns a ZipResult (0 is success) and also stores it as the process-wide last
//   result (ZipResult.h). OpenArchive returns null on failure, with the reason left there.
// - A null handle gives kZipBadArguments, a handle of another kind kZipWrongHandleKind.
// - A handle is used by one thread at a time; CloseArchive frees it.
// - ExtractEntry never writes outside the folder the item belongs in: an item whose name still
//   climbs out after sanitising is refused with kZipBadArguments, and no step follows a symbolic
//   link below that folder. Unix links, devices and FIFOs come out as ordinary files.
// - A wrong password is found before the target is touched; data that doesn't match its declared
//   size or CRC-32 is kZipCorrupt (a partly written target stays behind, as for every failure after
//   the target was created).
// - ZIP64 sizes and offsets are read wherever an archive puts them (central and local headers,
//   ZIP64 end records), and an archive may follow leading bytes (a self-extracting stub).
// - Archives whose items share data (a way to declare far more content than the archive holds) are
//   refused at opening. Before a file item is written, what it and the items after it declare must
//   fit in the free space of the target's file system, else kZipWriteFailed and nothing is written.
#pragma once

#include <cstdint>
#include <string>

#include "install/ZipEntryInfo.h"
#include "install/ZipResult.h"

class ZipReader;

constexpr std::uint32_t kZipReaderHandleKind = 1;

// Handles of other kinds (kind != kZipReaderHandleKind) are refused, never looked into.
struct ZipHandle {
    std::uint32_t kind = kZipReaderHandleKind;
    ZipReader* reader = nullptr;
};

// `password` null means none. Missing, unreadable or damaged archives give kZipCannotOpen, and so
// do archives whose items overlap.
ZipHandle* OpenArchive(const std::wstring& path, const char* password);

// Index -1: `info.index` is the item count and every other field zero. Other indexes outside the
// archive give kZipBadArguments.
ZipResult GetEntry(ZipHandle* handle, std::int32_t index, ZipEntryInfo& info);

// Writes item `index` to `target`, creating missing folders; a folder item creates the folder.
// A relative target is taken under the current directory of the moment the archive was opened.
// The file gets the item's read-only attribute and its last-write and last-access times.
ZipResult ExtractEntry(ZipHandle* handle, std::int32_t index, const std::wstring& target);

ZipResult CloseArchive(ZipHandle* handle);
