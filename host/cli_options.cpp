#include "host/cli_options.h"

#include <cerrno>
#include <cstdlib>

namespace host {

namespace {

int parse_int(const std::string& text, const std::string& option, long lo, long hi) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || v < lo || v > hi)
        throw CliError(option + " takes an integer from " + std::to_string(lo) + " to " +
                       std::to_string(hi) + ", not '" + text + "'");
    return int(v);
}

}  // namespace

CliOptions parse_cli_options(int argc, char** argv) {
    CliOptions o;
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw CliError(a + " needs a value");
            return argv[++i];
        };
        if (a == "--panel") {
            o.panel = value();
        } else if (a == "--modules") {
            o.module_dirs.push_back(value());
        } else if (a == "--set") {
            std::string error;
            auto assignment = parse_assignment(value(), &error);
            if (!assignment) throw CliError("--set: " + error);
            o.assignments.push_back(*assignment);
        } else if (a == "--frames") {
            o.frames = parse_int(value(), a, 0, 1000000);
        } else if (a == "--gauge") {
            o.gauge = value();
        } else if (a == "--at") {
            std::string v = value();
            auto comma = v.find(',');
            if (comma == std::string::npos) throw CliError("--at takes X,Y, not '" + v + "'");
            o.at = std::make_pair(parse_int(v.substr(0, comma), "--at", -100000, 100000),
                                  parse_int(v.substr(comma + 1), "--at", -100000, 100000));
        } else if (a == "--right") {
            o.right = true;
        } else if (a == "--night") {
            o.night = true;
        } else if (a == "--window") {
            o.window = parse_int(value(), a, 0, 1000000);
        } else if (a == "-o" || a == "--output") {
            o.output = value();
        } else if (a.rfind("--", 0) == 0) {
            throw CliError("unknown option " + a);
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

}  // namespace host
