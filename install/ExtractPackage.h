// The last step of an installation run: unpacking the package archive (the manifest file named
// "assist.zip", in any letter case) from the download folder into a folder of the same stem
// under the install directory, item by item, and recording the program to start afterwards.
//
// ExtractPackage runs on the installation worker (`worker` is that worker: its stop request ends
// the extraction between items, and the pause before each empty item waits on it). It uses the
// job's `installDir`, `downloadDir`, `files` and `notifyWindow`, and writes `error`, `extracting`,
// `launchPath`, `busyProgram` and each archive entry's `extractTotal`/`extractDone`. It posts
// UM_EXTRACT_PROGRESS after every item and UM_EXTRACT_DONE once after success, only while the window exists.
//
// Result: true when every archive was extracted (a manifest without the package succeeds with an
// empty `launchPath`). On failure `error` is -4 (no folders given, the extraction folder cannot be
// made, the archive cannot be opened) or the ZIP reader's result code of the item that failed, and
// the whole install directory is deleted again. An existing extraction folder of which a program
// holds a file (still after about two seconds) is not replaced: `error` is kErrorFilesInUse,
// `busyProgram` names the program and nothing is deleted. A stop request is not a failure of the package:
// `error` is -4 and what was extracted stays in place.
#pragma once

#include <cstdint>
#include <vector>

#include "service/InstallJob.h"

class Thread;

// The package archive's password.
inline constexpr const char* kPackagePassword = "Vorlimbeck";

bool ExtractPackage(InstallJob& job, Thread& worker);

// True when a run's `error` tells that its extraction failed: -4, or the result code of the ZIP
// reader (0x100 and up, above every code of the transfer library).
bool IsExtractionError(std::int32_t error);

// Items extracted over items to extract, over every archive of `files`, as a truncated percentage
// 0..100; 0 while nothing is known. For the UI thread, while the worker extracts.
std::int32_t ExtractionPercent(const std::vector<ManifestFile>& files);
