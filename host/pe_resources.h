// The resource directory of a Windows PE file (i386 or x86_64 DLL/EXE): every
// resource with its type, id, language and bytes, as a resource compiler stored
// it (a bitmap is its DIB: info header, palette, pixels, without the 14-byte
// file header). Used to take the bitmaps and sounds out of a built module and by
// the tests that check what a module carries.
//
// The file is untrusted input: every offset, count and size is checked against
// the file before it is read, nesting is fixed at the three levels a resource
// directory has (type, name, language), and the number of entries visited is
// bounded, so a damaged or hostile file gives an error text, never a crash.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace host {

struct PeResource {
    // "BITMAP", "VERSION", "ICON", ... for the standard numbered types; the
    // type's own name for named types ("WAVE"); "#<n>" for other numbers.
    std::string type;
    uint32_t type_id = 0;  // the type's number; 0 for a named type
    uint32_t id = 0;       // the resource's number; 0 for a named resource
    std::string name;      // the resource's name when it has one instead of a number
    uint16_t language = 0;
    std::vector<uint8_t> bytes;
};

// Numbered resource types used by the modules.
enum : uint32_t { PE_RT_BITMAP = 2, PE_RT_VERSION = 16 };

// All resources of the PE image `file`, in directory order. A file without a
// resource directory gives an empty list; a file that is not a PE image, or
// whose headers or directory point outside it, gives nothing and `*error`.
std::optional<std::vector<PeResource>> read_pe_resources(std::span<const uint8_t> file,
                                                         std::string* error);
std::optional<std::vector<PeResource>> read_pe_resources_file(const std::string& path,
                                                              std::string* error);

// The resource of that type (as in PeResource::type), number and language, or null.
const PeResource* find_pe_resource(const std::vector<PeResource>& resources,
                                   const std::string& type, uint32_t id, uint16_t language);

}  // namespace host
