// Control of the stand-in platform (non-Windows builds): what the host and the
// tests register (resources, windows, the executable's path), which calls fail,
// and what the module did with DirectSound, memory blocks and memory files.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/windows.h"

extern "C" {

// ---- what the host provides ---------------------------------------------------------

// Registers a resource of `module` (the handle the host passes at install). `type`
// is a name such as "WAVE" or a numeric type written "#2" (bitmaps). The bytes
// are copied; a resource registered again replaces the earlier one.
PLATFORM_API void stand_in_add_resource(void* module, const char* type, uint32_t id,
                                        const void* data, size_t size);
PLATFORM_API void stand_in_clear_resources(void* module);

// The path GetModuleFileNameA reports for the process (null: the real one).
PLATFORM_API void stand_in_set_executable_path(const char* path);

// A top-level window of `class_name` that FindWindowA finds; returns its handle.
PLATFORM_API HWND stand_in_add_window(const char* class_name);
PLATFORM_API void stand_in_clear_windows(void);

// ---- failures on demand ---------------------------------------------------------------

enum STAND_IN_CALL : uint32_t {
    STAND_IN_FIND_RESOURCE,
    STAND_IN_LOAD_RESOURCE,
    STAND_IN_LOCK_RESOURCE,
    STAND_IN_GLOBAL_ALLOC,
    STAND_IN_MMIO_OPEN,
    STAND_IN_MMIO_DESCEND,
    STAND_IN_MMIO_READ,
    STAND_IN_MMIO_ASCEND,
    STAND_IN_SOUND_CREATE,            // DirectSoundCreate
    STAND_IN_SOUND_COOPERATIVE_LEVEL, // IDirectSound::SetCooperativeLevel
    STAND_IN_SOUND_CREATE_BUFFER,     // IDirectSound::CreateSoundBuffer
    STAND_IN_SOUND_RELEASE,           // IDirectSound::Release
    STAND_IN_BUFFER_LOCK,
    STAND_IN_BUFFER_UNLOCK,
    STAND_IN_BUFFER_SET_POSITION,     // IDirectSoundBuffer::SetCurrentPosition
    STAND_IN_BUFFER_PLAY,
    STAND_IN_BUFFER_RELEASE,
    STAND_IN_CALL_KINDS
};

// After `skip` more calls of `call` succeed, the next `count` fail (UINT32_MAX:
// all of them). DirectSound calls then return `result`; the other calls fail
// their own way (null handle, -1, an MMIOERR code).
PLATFORM_API void stand_in_fail(STAND_IN_CALL call, uint32_t skip, uint32_t count, HRESULT result);

// ---- what the module did -----------------------------------------------------------------

// One DirectSound call. `object` is the serial number (from 1) of the device or
// buffer called or created; `dead` is set when the object, or the device that
// owns a buffer, had already been released to zero.
struct STAND_IN_SOUND_CALL {
    STAND_IN_CALL call;
    uint32_t object;
    uint32_t device;      // for buffer calls and CreateSoundBuffer: the owning device
    HRESULT result;
    bool dead;
    uintptr_t args[3];    // SetCooperativeLevel: window, level; Lock: offset, bytes, flags;
                          // SetCurrentPosition: position; Play: reserved, priority, flags;
                          // Release: the count left
};

PLATFORM_API size_t stand_in_sound_call_count(void);
PLATFORM_API const STAND_IN_SOUND_CALL* stand_in_sound_calls(void);

struct STAND_IN_BUFFER_INFO {
    uint32_t device;               // serial number of the owning device
    DSBUFFERDESC description;      // as created (format pointer cleared)
    WAVEFORMATEX format;
    const uint8_t* bytes;          // the buffer's contents, description.dwBufferBytes long
    uint32_t position;             // play position
    uint32_t plays;
    uint32_t references;
};

// Fills `info` for the buffer with serial number `serial`; false if there is none.
PLATFORM_API bool stand_in_buffer_info(uint32_t serial, STAND_IN_BUFFER_INFO* info);

// Objects and blocks alive now, for leak checks.
struct STAND_IN_COUNTS {
    uint32_t devices;         // DirectSound objects not released to zero
    uint32_t buffers;         // sound buffers not released to zero
    uint32_t locked_buffers;  // locked and not unlocked
    uint32_t memory_files;    // open mmio handles
    uint32_t memory_blocks;   // GlobalAlloc blocks not freed
    uint32_t bad_frees;       // GlobalFree of a block that is not alive
};
PLATFORM_API STAND_IN_COUNTS stand_in_counts(void);

// Forgets the call log and the pending failures; objects and blocks that are
// still alive stay alive (the module may hold them).
PLATFORM_API void stand_in_reset(void);
}
