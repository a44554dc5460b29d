// Command-line options of the demo install service. Every option has a default that matches the
// wizard's compiled-in configuration, so the service starts with no option at all.
#pragma once

#include <string>
#include <vector>

// The build's package folder and the source tree's site folder.
std::string DefaultPackageDir();
std::string DefaultSiteDir();

struct DemoOptions {
    int port = 18480;      // 0: any free port (tests); the bound port is printed and written to portFile
    std::string portFile;  // when set, receives the bound port once the service listens
    std::string shopCode = "8001";
    std::string password = "demo123";
    std::string validCode = "246810";              // verification code a migration request must carry
    std::string packageDir = DefaultPackageDir();  // built package: assist.zip and the other manifest files
    std::string siteDir = DefaultSiteDir();        // component installers and the agreement page, by URL path
    long long rate = 0;  // download speed limit in bytes per second for served files; 0: none
    bool help = false;
};

// Parses the arguments after the program name. Returns false with `error` set for an unknown
// option, a missing value or a value out of range; `options` keeps its defaults for the rest.
bool ParseDemoOptions(const std::vector<std::string>& args, DemoOptions& options, std::string& error);

std::string DemoUsage();
