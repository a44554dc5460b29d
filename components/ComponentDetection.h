// Detection of the two Windows components the product needs. Each test is a pure query of the
// machine (on Linux, of the Wine prefix: see support/platform/WindowsView.h); any failure to read
// counts as "absent". Callable from any thread.
#pragma once

// True when "c:\windows\system32\WindowsCodecs.dll" exists. Only this literal path counts, not the
// actual Windows folder, and nothing about the file is examined.
bool IsWicInstalled();

// True when HKLM "SOFTWARE\Microsoft\NET Framework Setup\NDP\v4\Client" holds a "Version" whose
// leading number (the text before the first ".") is 4 or more.
bool IsDotNet4Installed();
