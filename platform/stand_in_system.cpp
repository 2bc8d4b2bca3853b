// Stand-in for the system calls of the sound service: the executable's path,
// path splitting, top-level windows by class, module resources and memory
// blocks, plus the failure schedule shared by every stand-in call.
#include <ctype.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/stand_in_internal.h"

namespace {

struct Failure {
    uint32_t skip = 0;
    uint32_t count = 0;
    HRESULT result = 0;
};
Failure failures[STAND_IN_CALL_KINDS];

struct Window {
    std::string class_name;
    HWND handle;
};
std::vector<Window> windows;
uintptr_t next_window = 0x10010;

struct Resource {
    void* module;
    std::string type;  // upper case, or "#n" for a numeric type
    uint32_t id;
    std::vector<uint8_t> bytes;
};
std::vector<std::unique_ptr<Resource>> resources;

std::string executable_path;
bool executable_path_set = false;

std::set<void*> blocks;
uint32_t bad_frees = 0;

// A block larger than this counts as exhausted memory.
constexpr size_t MEMORY_LIMIT_BYTES = size_t(64) << 20;

std::string upper(const char* text) {
    std::string s = text;
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

// A resource type or name as the registry keeps it: "#n" for integers.
std::string resource_key(LPCSTR value) {
    if (IS_INTRESOURCE(value)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(value));
    return upper(value);
}

}  // namespace

namespace stand_in {

bool failing(STAND_IN_CALL call, HRESULT* result) {
    Failure& f = failures[call];
    if (f.skip > 0) {
        --f.skip;
        return false;
    }
    if (f.count == 0) return false;
    if (f.count != UINT32_MAX) --f.count;
    if (result != nullptr) *result = f.result;
    return true;
}

void reset_failures() {
    for (Failure& f : failures) f = Failure{};
}

}  // namespace stand_in

extern "C" {

void stand_in_fail(STAND_IN_CALL call, uint32_t skip, uint32_t count, HRESULT result) {
    if (call >= STAND_IN_CALL_KINDS) return;
    failures[call] = Failure{skip, count, result};
}

// ---- executable path ------------------------------------------------------------------

void stand_in_set_executable_path(const char* path) {
    executable_path_set = path != nullptr;
    executable_path = path != nullptr ? path : "";
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    if (path == nullptr || size == 0) return 0;
    std::string full;
    if (module != nullptr) {
        path[0] = '\0';
        return 0;  // only the process's own executable is known here
    }
    if (executable_path_set) {
        full = executable_path;
    } else {
        char buffer[4096];
        ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        full.assign(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    }
    // Like Windows: a path that does not fit is cut and still terminated, and
    // the result is then the buffer size.
    size_t copied = std::min<size_t>(full.size(), size - 1);
    memcpy(path, full.data(), copied);
    path[copied] = '\0';
    return full.size() < size ? static_cast<DWORD>(copied) : size;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    auto put = [](char* out, size_t capacity, const char* from, const char* to) {
        if (out == nullptr) return;
        size_t n = std::min<size_t>(static_cast<size_t>(to - from), capacity - 1);
        memcpy(out, from, n);
        out[n] = '\0';
    };
    const char* p = path != nullptr ? path : "";
    const char* end = p + strlen(p);
    const char* rest = p;
    if (p[0] != '\0' && p[1] == ':') rest = p + 2;
    put(drive, _MAX_DRIVE, p, rest);
    const char* name = rest;
    for (const char* c = rest; c < end; ++c)
        if (*c == '\\' || *c == '/') name = c + 1;
    put(dir, _MAX_DIR, rest, name);
    const char* dot = end;
    for (const char* c = name; c < end; ++c)
        if (*c == '.') dot = c;
    put(fname, _MAX_FNAME, name, dot);
    put(ext, _MAX_EXT, dot, end);
}

// ---- windows ---------------------------------------------------------------------------------

HWND stand_in_add_window(const char* class_name) {
    HWND handle = reinterpret_cast<HWND>(next_window);
    next_window += 0x10;
    windows.push_back({upper(class_name), handle});
    return handle;
}

void stand_in_clear_windows(void) { windows.clear(); }

HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR window_name) {
    if (class_name == nullptr || IS_INTRESOURCE(class_name)) return nullptr;
    if (window_name != nullptr) return nullptr;  // the stand-in's windows have no titles
    std::string wanted = upper(class_name);
    for (const Window& w : windows)
        if (w.class_name == wanted) return w.handle;
    return nullptr;
}

// ---- resources -------------------------------------------------------------------------------

void stand_in_add_resource(void* module, const char* type, uint32_t id, const void* data,
                           size_t size) {
    std::string key = upper(type);
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (auto& r : resources) {
        if (r->module == module && r->type == key && r->id == id) {
            r->bytes.assign(bytes, bytes + size);
            return;
        }
    }
    resources.push_back(std::make_unique<Resource>(
        Resource{module, key, id, std::vector<uint8_t>(bytes, bytes + size)}));
}

void stand_in_clear_resources(void* module) {
    std::erase_if(resources, [module](const auto& r) { return r->module == module; });
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (stand_in::failing(STAND_IN_FIND_RESOURCE)) return nullptr;
    if (name == nullptr || type == nullptr) return nullptr;
    std::string name_key = resource_key(name);
    std::string type_key = resource_key(type);
    for (auto& r : resources) {
        if (r->module == module && r->type == type_key && "#" + std::to_string(r->id) == name_key)
            return reinterpret_cast<HRSRC>(r.get());
    }
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    if (stand_in::failing(STAND_IN_LOAD_RESOURCE)) return nullptr;
    auto* r = reinterpret_cast<Resource*>(resource);
    if (r == nullptr || r->module != module) return nullptr;
    return r;
}

LPVOID WINAPI LockResource(HGLOBAL resource) {
    if (stand_in::failing(STAND_IN_LOCK_RESOURCE)) return nullptr;
    auto* r = static_cast<Resource*>(resource);
    return r != nullptr ? r->bytes.data() : nullptr;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    auto* r = reinterpret_cast<Resource*>(resource);
    if (r == nullptr || r->module != module) return 0;
    return static_cast<DWORD>(r->bytes.size());
}

// Resources stay loaded as long as their module: nothing to free.
BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

// ---- memory blocks ------------------------------------------------------------------------------

HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes) {
    if (stand_in::failing(STAND_IN_GLOBAL_ALLOC)) return nullptr;
    if (bytes > MEMORY_LIMIT_BYTES) return nullptr;
    void* block = (flags & GMEM_ZEROINIT) != 0 ? calloc(1, bytes + 1) : malloc(bytes + 1);
    if (block != nullptr) blocks.insert(block);
    return block;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL block) {
    if (block == nullptr) return nullptr;
    if (blocks.erase(block) == 0) {
        ++bad_frees;
        return block;  // Windows hands back a handle it cannot free
    }
    free(block);
    return nullptr;
}

}  // extern "C"

namespace stand_in {

bool window_exists(HWND window) {
    for (const Window& w : windows)
        if (w.handle == window) return true;
    return false;
}

uint32_t live_blocks() { return static_cast<uint32_t>(blocks.size()); }
uint32_t bad_block_frees() { return bad_frees; }

}  // namespace stand_in
