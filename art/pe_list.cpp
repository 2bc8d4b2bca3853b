// pe-resources <file>: lists the resources of a Windows PE file, one per line:
// type, id (or name), language, size in bytes.
#include <cstdio>

#include "host/pe_resources.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pe-resources <PE file>\n");
        return 2;
    }
    std::string error;
    auto resources = host::read_pe_resources_file(argv[1], &error);
    if (!resources) {
        std::fprintf(stderr, "pe-resources: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    for (const host::PeResource& r : *resources) {
        std::string id = r.name.empty() ? std::to_string(r.id) : "\"" + r.name + "\"";
        std::printf("%-8s %-6s %5u %8zu\n", r.type.c_str(), id.c_str(), unsigned(r.language), r.bytes.size());
    }
    return 0;
}
