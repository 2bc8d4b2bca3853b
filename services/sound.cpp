// Click sounds: the host's main window, one DirectSound object and one buffer per
// sound-using gauge, loaded from the module's WAVE resources. Every failure turns
// sound off for the whole module; nothing is reported.
#include "services/sound.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "module/panel_state.h"

// Buffer description: frequency, pan and volume control, heard while another
// window has the focus. The record is 36 bytes on i386 and the platform's own
// sizeof(DSBUFFERDESC) elsewhere (DirectSound refuses any other size).
static constexpr DWORD SOUND_BUFFER_FLAGS =
    DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;
static_assert(SOUND_BUFFER_FLAGS == 0x80E0);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(DSBUFFERDESC) == 36, "DirectSound buffer description on i386");
#endif

// The format record read from the start of the "fmt " chunk: format tag,
// channels, samples per second, average bytes per second, block alignment,
// bits per sample.
static constexpr LONG WAVE_FORMAT_RECORD_BYTES = 16;
static_assert(offsetof(WAVEFORMATEX, cbSize) == WAVE_FORMAT_RECORD_BYTES);

static constexpr DWORD MODULE_PATH_CHARS = 260;
static constexpr DWORD MEMORY_FILE_OPEN_FLAGS = MMIO_READWRITE | MMIO_ALLOCBUF;  // 0x10002
static_assert(MEMORY_FILE_OPEN_FLAGS == 0x10002);

namespace {

// The executable's file name (no directory, no extension) selects the class of
// the host's main window; the first rule that matches wins, positions count
// from 0 and a position past the end of the name matches nothing.
struct HOST_NAME_RULE {
    size_t position;
    char character;
    const char* window_class;
};

constexpr const char* HOST_CLASS_FS98 = "FS98MAIN";
constexpr const char* HOST_CLASS_CFS = "MSCFSMAIN";

constexpr HOST_NAME_RULE host_name_rules[] = {
    {3, '2', HOST_CLASS_CFS},
    {0, 'C', HOST_CLASS_CFS},
    {2, '2', HOST_CLASS_FS98},
};
constexpr const char* HOST_CLASS_OTHERWISE = HOST_CLASS_FS98;

// A WAVE resource read into a memory block.
struct SOUND_WAVE {
    WAVEFORMATEX format;
    DWORD bytes;
    HGLOBAL samples;
};

}  // namespace

HWND find_host_window(void) {
    char path[MODULE_PATH_CHARS] = {};
    char name[_MAX_FNAME] = {};
    GetModuleFileNameA(nullptr, path, MODULE_PATH_CHARS);
    path[MODULE_PATH_CHARS - 1] = '\0';
    _splitpath(path, nullptr, nullptr, name, nullptr);
    size_t length = strlen(name);
    const char* window_class = HOST_CLASS_OTHERWISE;
    for (const HOST_NAME_RULE& rule : host_name_rules) {
        if (rule.position < length && name[rule.position] == rule.character) {
            window_class = rule.window_class;
            break;
        }
    }
    return FindWindowA(window_class, nullptr);
}

int32_t sound_open(HWND window, IDirectSound** device) {
    *device = nullptr;
    if (DirectSoundCreate(nullptr, device, nullptr) != 0 || *device == nullptr) {
        *device = nullptr;
        sound_enabled = 0;
        return 0;
    }
    if ((*device)->SetCooperativeLevel(window, DSSCL_NORMAL) != 0) {
        (*device)->Release();
        *device = nullptr;
        sound_enabled = 0;
        return 0;
    }
    return 1;
}

// Finds "fmt " and "data" inside the RIFF "WAVE" form of an open memory file
// and reads the format record and every sample byte into a new block.
static bool sound_read_chunks(HMMIO file, SOUND_WAVE* wave) {
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != 0) return false;

    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != 0) return false;
    if (mmioRead(file, reinterpret_cast<HPSTR>(&wave->format), WAVE_FORMAT_RECORD_BYTES) == -1)
        return false;
    if (mmioAscend(file, &chunk, 0) != 0) return false;

    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != 0) return false;
    wave->bytes = chunk.cksize;
    // Zeroed, so that a data chunk cut short by the end of the file plays silence.
    wave->samples = GlobalAlloc(GPTR, wave->bytes);
    if (wave->samples == nullptr) return false;
    return mmioRead(file, static_cast<HPSTR>(wave->samples), static_cast<LONG>(wave->bytes)) != -1;
}

// Reads WAVE resource `wave_id` of `module`; on failure nothing stays allocated.
static bool sound_read_wave(HMODULE module, uint16_t wave_id, SOUND_WAVE* wave) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(wave_id), "WAVE");
    if (resource == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) return false;
    void* bytes = LockResource(loaded);
    DWORD size = SizeofResource(module, resource);
    bool ok = false;
    if (bytes != nullptr) {
        MMIOINFO memory = {};
        memory.fccIOProc = FOURCC_MEM;
        memory.pchBuffer = static_cast<HPSTR>(bytes);
        memory.cchBuffer = static_cast<LONG>(size);
        HMMIO file = mmioOpenA(nullptr, &memory, MEMORY_FILE_OPEN_FLAGS);
        if (file != nullptr) {
            ok = sound_read_chunks(file, wave);
            mmioClose(file, 0);
        }
    }
    FreeResource(loaded);
    if (!ok && wave->samples != nullptr) {
        GlobalFree(wave->samples);
        wave->samples = nullptr;
    }
    return ok;
}

// Creates the buffer for `wave` on `device` into `slot`, copies the samples in
// and sets the play position to the start; on failure the slot is empty and
// nothing created stays alive.
static bool sound_fill_buffer(IDirectSound* device, IDirectSoundBuffer** slot,
                              SOUND_WAVE* wave) {
    DSBUFFERDESC description = {};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = SOUND_BUFFER_FLAGS;
    description.dwBufferBytes = wave->bytes;
    description.lpwfxFormat = &wave->format;
    if (device->CreateSoundBuffer(&description, slot, nullptr) != 0 || *slot == nullptr) {
        *slot = nullptr;
        return false;
    }
    IDirectSoundBuffer* buffer = *slot;
    void* region1 = nullptr;
    void* region2 = nullptr;
    DWORD bytes1 = 0;
    DWORD bytes2 = 0;
    bool ok = buffer->Lock(0, wave->bytes, &region1, &bytes1, &region2, &bytes2, 0) == 0;
    if (ok) {
        memcpy(region1, wave->samples, bytes1 < wave->bytes ? bytes1 : wave->bytes);
        ok = buffer->Unlock(region1, bytes1, region2, bytes2) == 0;
    }
    ok = ok && buffer->SetCurrentPosition(0) == 0;
    if (!ok) {
        buffer->Release();
        *slot = nullptr;
    }
    return ok;
}

uint32_t sound_load_wave(IDirectSound** device, IDirectSoundBuffer** buffer, uint16_t wave_id,
                         HMODULE module) {
    if (sound_enabled == 0 || *device == nullptr) return 0;
    *buffer = nullptr;
    SOUND_WAVE wave = {};
    bool ok = sound_read_wave(module, wave_id, &wave) &&
              sound_fill_buffer(*device, buffer, &wave);
    if (wave.samples != nullptr) GlobalFree(wave.samples);
    if (!ok) {
        sound_enabled = 0;
        return 0;
    }
    return wave.bytes;
}

int32_t sound_play(IDirectSoundBuffer** buffer, uint32_t flags) {
    if (sound_enabled == 0 || *buffer == nullptr) return 0;
    if ((*buffer)->Play(0, 0, flags) != 0) {
        (*buffer)->Release();
        *buffer = nullptr;
        sound_enabled = 0;
        return 0;
    }
    return 1;
}

void sound_free_buffer(IDirectSoundBuffer** buffer) {
    if (sound_enabled == 0 || *buffer == nullptr) return;
    (*buffer)->Release();
    *buffer = nullptr;
}

void sound_close(IDirectSound** device) {
    if (sound_enabled == 0 || *device == nullptr) return;
    (*device)->Release();
    *device = nullptr;
}

// One device and one buffer serve every instance of a gauge: the first install
// opens and loads them, further instances share them, and the last removal
// releases them. A gauge re-created after sound went off keeps the device its
// earlier install left in the slot rather than open another one over it.
void click_sound_install(CLICK_SOUND* sound, uint16_t wave_id, uintptr_t module) {
    if (sound->installs++ > 0) return;
    sound->module = reinterpret_cast<HMODULE>(module);
    sound->window = find_host_window();
    if (sound->device == nullptr) sound_open(sound->window, &sound->device);
    sound_load_wave(&sound->device, &sound->buffer, wave_id, sound->module);
}

void click_sound_remove(CLICK_SOUND* sound) {
    if (sound->installs == 0 || --sound->installs > 0) return;
    sound_free_buffer(&sound->buffer);
    sound_close(&sound->device);
}

int32_t click_sound_play(CLICK_SOUND* sound) { return sound_play(&sound->buffer, 0); }
