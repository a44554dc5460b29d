// The server endpoint of the HTTP helper: "server.ini" beside the executable, section "server",
// keys "ip" (at most 63 characters) and "port" (default 80).
#pragma once

#include <string>

// Sets `url` to "http://<ip>:<port>" and returns true; false (and `url` unchanged) when the file
// is missing or gives no ip.
bool ServerUrlFromIni(std::string& url);

// The same, from the INI file at `path`.
bool ServerUrlFromIniFile(const std::string& path, std::string& url);
