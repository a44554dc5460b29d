// The wizard's custom window messages: what the workers post to the main window. Every number is
// WM_USER + 8000 and upwards; the main window's handlers read the worker's result fields when one
// arrives. Workers post them through PostToWindow (support/WindowMessages.h), never send them.
#pragma once

#include "support/WinTypes.h"

// Installation run (DownLoadThread); wParam and lParam are 0 unless stated.
constexpr UINT UM_INSTALL_FINISHED = WM_USER + 8000;   // end of every run, whatever the outcome
constexpr UINT UM_DOWNLOAD_STARTED = WM_USER + 8001;   // the manifest's files start downloading
constexpr UINT UM_DOWNLOAD_PROGRESS = WM_USER + 8002;  // wParam: the current file's percentage
constexpr UINT UM_DOWNLOAD_DONE = WM_USER + 8003;      // every file downloaded and verified
constexpr UINT UM_EXTRACT_PROGRESS = WM_USER + 8004;   // one archive item extracted
constexpr UINT UM_EXTRACT_DONE = WM_USER + 8005;       // the archive was extracted

// Prerequisite components (InstallComponentThread, SetupComponentThread); wParam: component id.
constexpr UINT UM_COMPONENT_DOWNLOAD_STARTED = WM_USER + 8006;
constexpr UINT UM_COMPONENT_DOWNLOAD_PROGRESS = WM_USER + 8007;  // lParam: percentage 0..100
constexpr UINT UM_COMPONENT_DOWNLOAD_ENDED = WM_USER + 8008;     // wParam 0 once the queue is done
constexpr UINT UM_COMPONENT_SETUP_STARTED = WM_USER + 8009;
constexpr UINT UM_COMPONENT_SETUP_ENDED = WM_USER + 8010;  // wParam 0
