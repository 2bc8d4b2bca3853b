// Windows test driver: the host library loads Korvane.gau with LoadLibrary and
// drives it as the simulator does, while the driver watches the module's own
// calls into the system (FindWindowA, FindResourceA, DirectSoundCreate) through
// the module's import table. Run under wine64 by run_windows_tests.sh.
//
//   korvane-win-driver lifecycle   MODULE_DIR
//   korvane-win-driver click       MODULE_DIR CLICKS
//   korvane-win-driver find-window MODULE_DIR CREATE_CLASS EXPECTED_CLASS
//   korvane-win-driver no-device   MODULE_DIR
//
// Prints one line per check and exits 0 when every check holds.
#include <windows.h>
#include <dsound.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    if (!ok) ++failures;
}

// ---- watching the module's imports ----------------------------------------------------

struct Watch {
    std::vector<std::string> window_classes_asked;
    std::vector<HWND> windows_found;
    std::vector<HRESULT> sound_creates;
    std::vector<uintptr_t> wave_ids_asked;
};
Watch watch;

decltype(&FindWindowA) real_find_window = nullptr;
decltype(&FindResourceA) real_find_resource = nullptr;
decltype(&DirectSoundCreate) real_sound_create = nullptr;

HWND WINAPI watch_find_window(LPCSTR class_name, LPCSTR window_name) {
    HWND found = real_find_window(class_name, window_name);
    watch.window_classes_asked.push_back(IS_INTRESOURCE(class_name) ? "(atom)" : class_name);
    watch.windows_found.push_back(found);
    return found;
}

HRSRC WINAPI watch_find_resource(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!IS_INTRESOURCE(type) && std::strcmp(type, "WAVE") == 0)
        watch.wave_ids_asked.push_back(reinterpret_cast<uintptr_t>(name));
    return real_find_resource(module, name, type);
}

HRESULT WINAPI watch_sound_create(LPCGUID device, LPDIRECTSOUND* sound, LPUNKNOWN outer) {
    HRESULT result = real_sound_create(device, sound, outer);
    watch.sound_creates.push_back(result);
    return result;
}

// Replaces the import of `dll`!`name` (or `dll`!#ordinal when name is null) in
// `module`'s import address table; returns the address it held.
void* patch_import(HMODULE module, const char* dll, const char* name, WORD ordinal, void* hook) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
        auto* lookup = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* bound = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; lookup->u1.AddressOfData != 0; ++lookup, ++bound) {
            bool match;
            if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal)) {
                match = name == nullptr && IMAGE_ORDINAL(lookup->u1.Ordinal) == ordinal;
            } else {
                auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
                match = name != nullptr && std::strcmp(reinterpret_cast<const char*>(by_name->Name), name) == 0;
            }
            if (!match) continue;
            DWORD old = 0;
            VirtualProtect(&bound->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(bound->u1.Function);
            bound->u1.Function = reinterpret_cast<ULONG_PTR>(hook);
            VirtualProtect(&bound->u1.Function, sizeof(void*), old, &old);
            return previous;
        }
    }
    return nullptr;
}

void watch_module() {
    HMODULE module = GetModuleHandleA("Korvane.gau");
    check(module != nullptr, "Korvane.gau is loaded as a Windows library");
    if (module == nullptr) return;
    real_find_window = reinterpret_cast<decltype(real_find_window)>(
        patch_import(module, "USER32.dll", "FindWindowA", 0, reinterpret_cast<void*>(&watch_find_window)));
    real_find_resource = reinterpret_cast<decltype(real_find_resource)>(
        patch_import(module, "KERNEL32.dll", "FindResourceA", 0, reinterpret_cast<void*>(&watch_find_resource)));
    real_sound_create = reinterpret_cast<decltype(real_sound_create)>(
        patch_import(module, "DSOUND.dll", nullptr, 1, reinterpret_cast<void*>(&watch_sound_create)));
    check(real_find_window != nullptr, "the module imports USER32!FindWindowA");
    check(real_find_resource != nullptr, "the module imports KERNEL32!FindResourceA");
    check(real_sound_create != nullptr, "the module imports DSOUND.dll ordinal 1");
    if (real_find_window == nullptr || real_find_resource == nullptr || real_sound_create == nullptr)
        std::exit(1);
}

// ---- driving the module through the host --------------------------------------------------

constexpr size_t kLever = 1;
constexpr int kSwitchX = 48, kSwitchY = 22;

host::GaugeInstance* add_gauge(host::Host& h, const std::string& name, int window = 0) {
    std::string error;
    host::GaugeInstance* g = h.add_gauge("Korvane", name, host::GaugeLine{}, window, &error);
    check(g != nullptr, "add " + name + (error.empty() ? "" : ": " + error));
    if (g == nullptr) std::exit(1);
    return g;
}

int lever(host::Host& h, host::GaugeInstance& g) {
    h.update(g);
    return g.elements[kLever].icon_index;
}

void check_no_problems(host::Host& h) {
    for (const std::string& p : h.problems()) check(false, "host problem: " + p);
}

void unload(std::unique_ptr<host::Host>& h) {
    h->remove_all();
    h.reset();
    check(GetModuleHandleA("Korvane.gau") == nullptr, "the module is unloaded");
}

// Every gauge the module offers, installed, run for some frames, clicked, removed.
int lifecycle(const std::string& dir) {
    auto h = std::make_unique<host::Host>();
    h->add_module_dir(dir);
    std::string error;
    host::LoadedModule* module = h->load_module("Korvane", &error);
    check(module != nullptr, "LoadLibrary finds Linkage and ImportTable by name" +
                                 (error.empty() ? "" : ": " + error));
    if (module == nullptr) return 1;
    watch_module();
    std::vector<std::string> names;
    for (GAUGEHDR* g : module->gauges()) names.push_back(g->gauge_name);
    check(!names.empty(), std::to_string(names.size()) + " gauges in Linkage");
    for (const std::string& name : names) add_gauge(*h, name);
    h->install_all();
    for (int i = 0; i < 30; ++i) h->frame();
    check(h->instances().size() == names.size(), "every gauge installed and updated");

    host::GaugeInstance* sw = h->find_instance("Metric_Switch");
    if (sw != nullptr) {
        check(lever(*h, *sw) == 0, "Metric_Switch starts metric");
        check(h->click(*sw, kSwitchX, kSwitchY, MOUSE_LEFTSINGLE).hit, "left click hits the switch");
        check(lever(*h, *sw) == 1, "the lever shows British after a left click");
        check(!h->click(*sw, kSwitchX, kSwitchY, MOUSE_RIGHTSINGLE).hit, "a right click hits nothing");
        check(lever(*h, *sw) == 1, "the lever stays after a right click");
        for (int i = 0; i < 5; ++i) h->frame();
        check(watch.sound_creates.size() == 1 && watch.sound_creates[0] == DS_OK,
              "DirectSoundCreate succeeds once");
        check(watch.wave_ids_asked == std::vector<uintptr_t>{30}, "WAVE 30 is loaded");
    }
    check_no_problems(*h);
    unload(h);
    return failures == 0 ? 0 : 1;
}

// Metric_Switch clicked `clicks` times, 400 ms apart; the process stays alive
// while the last click plays.
int click(const std::string& dir, int clicks) {
    auto h = std::make_unique<host::Host>();
    h->add_module_dir(dir);
    host::GaugeInstance* sw = add_gauge(*h, "Metric_Switch");
    watch_module();
    h->install_all();
    check(watch.sound_creates.size() == 1 && watch.sound_creates[0] == DS_OK, "DirectSoundCreate succeeds");
    for (int i = 0; i < clicks; ++i) {
        h->click(*sw, kSwitchX, kSwitchY, MOUSE_LEFTSINGLE);
        check(lever(*h, *sw) == (i + 1) % 2, "click " + std::to_string(i + 1) + " flips the lever");
        Sleep(400);
    }
    Sleep(600);
    check_no_problems(*h);
    unload(h);
    return failures == 0 ? 0 : 1;
}

// A real top-level window of `create_class`; the module must ask for
// `expected_class` (chosen by this program's file name) and find the window
// exactly when the two agree.
int find_window(const std::string& dir, const std::string& create_class,
                const std::string& expected_class) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = create_class.c_str();
    check(RegisterClassA(&wc) != 0, "RegisterClassA " + create_class);
    HWND window = CreateWindowA(create_class.c_str(), "host main window", WS_OVERLAPPEDWINDOW,
                                0, 0, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    check(window != nullptr, "CreateWindowA " + create_class);
    if (window == nullptr) return 1;

    auto h = std::make_unique<host::Host>();
    h->add_module_dir(dir);
    add_gauge(*h, "Metric_Switch");
    watch_module();
    h->install_all();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    check(watch.window_classes_asked == std::vector<std::string>{expected_class},
          std::string(exe) + " asks for " + expected_class +
              (watch.window_classes_asked.empty() ? "" : " (asked " + watch.window_classes_asked[0] + ")"));
    HWND expected = create_class == expected_class ? window : nullptr;
    check(watch.windows_found == std::vector<HWND>{expected},
          expected != nullptr ? "the window is found" : "no window is found");
    check_no_problems(*h);
    unload(h);
    DestroyWindow(window);
    return failures == 0 ? 0 : 1;
}

// No sound device: DirectSoundCreate fails, sound goes off before any WAVE is
// loaded, and the gauges go on working.
int no_device(const std::string& dir) {
    auto h = std::make_unique<host::Host>();
    h->add_module_dir(dir);
    host::GaugeInstance* first = add_gauge(*h, "Metric_Switch", 0);
    watch_module();
    host::GaugeInstance* second = add_gauge(*h, "Metric_Switch", 1);
    add_gauge(*h, "Airspeed");
    h->install_all();
    check(watch.sound_creates.size() == 1 && watch.sound_creates[0] != DS_OK,
          "DirectSoundCreate fails without a sound device");
    check(watch.wave_ids_asked.empty(), "sound is off: no WAVE resource is loaded");
    for (int i = 0; i < 5; ++i) h->frame();
    check(h->click(*second, kSwitchX, kSwitchY, MOUSE_LEFTSINGLE).hit, "the switch still answers clicks");
    check(lever(*h, *first) == 1 && lever(*h, *second) == 1, "both levers show British");
    for (int i = 0; i < 5; ++i) h->frame();
    check_no_problems(*h);
    unload(h);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::string command = argc > 1 ? argv[1] : "";
    std::string dir = argc > 2 ? argv[2] : ".";
    if (command == "lifecycle" && argc == 3) return lifecycle(dir);
    if (command == "click" && argc == 4) return click(dir, std::atoi(argv[3]));
    if (command == "find-window" && argc == 5) return find_window(dir, argv[3], argv[4]);
    if (command == "no-device" && argc == 3) return no_device(dir);
    std::fprintf(stderr, "usage: korvane-win-driver lifecycle|click|find-window|no-device MODULE_DIR ...\n");
    return 2;
}
