#include "tools/demo-service/DemoOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, value);
    return problem == std::errc() && stop == end && value >= low && value <= high;
}

using Setter = std::function<bool(DemoOptions&, const std::string&)>;

Setter Text(std::string DemoOptions::*field) {
    return [field](DemoOptions& options, const std::string& value) {
        options.*field = value;
        return !value.empty();
    };
}

const std::map<std::string, Setter>& Setters() {
    static const std::map<std::string, Setter> setters = {
        {"--port",
         [](DemoOptions& options, const std::string& value) {
             long long port = 0;
             if (!ParseNumber(value, 0, 65535, port)) return false;
             options.port = static_cast<int>(port);
             return true;
         }},
        {"--rate", [](DemoOptions& options,
                      const std::string& value) { return ParseNumber(value, 0, 1LL << 40, options.rate); }},
        {"--port-file", Text(&DemoOptions::portFile)},
        {"--shop-code", Text(&DemoOptions::shopCode)},
        {"--password", Text(&DemoOptions::password)},
        {"--valid-code", Text(&DemoOptions::validCode)},
        {"--package-dir", Text(&DemoOptions::packageDir)},
        {"--site-dir", Text(&DemoOptions::siteDir)},
    };
    return setters;
}

}  // namespace

std::string DefaultPackageDir() {
    return LARKHOLM_DEMO_PACKAGE_DIR;
}
std::string DefaultSiteDir() {
    return LARKHOLM_DEMO_SITE_DIR;
}

bool ParseDemoOptions(const std::vector<std::string>& args, DemoOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            options.help = true;
            continue;
        }
        const auto setter = Setters().find(args[i]);
        if (setter == Setters().end()) {
            error = "unknown option " + args[i];
            return false;
        }
        if (i + 1 == args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        if (!setter->second(options, args[++i])) {
            error = "bad value for " + args[i - 1] + ": \"" + args[i] + "\"";
            return false;
        }
    }
    return true;
}

std::string DemoUsage() {
    return "usage: larkholm-demo-service [options]\n"
           "  --port N          port on 127.0.0.1 (default 18480; 0 picks a free port)\n"
           "  --port-file FILE  write the bound port to FILE once listening\n"
           "  --shop-code TEXT  shop code the setup request accepts (default 8001)\n"
           "  --password TEXT   shop password the setup request accepts (default demo123)\n"
           "  --valid-code TEXT verification code the migration request accepts (default 246810)\n"
           "  --rate N          serve files at N bytes per second (default: unlimited)\n"
           "  --package-dir DIR folder of the built package (default: the build's package folder)\n"
           "  --site-dir DIR    folder of the installers and the agreement page (default: the source "
           "tree's)\n";
}
