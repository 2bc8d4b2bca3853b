// Click sounds: WAVE resources of the module played through DirectSound, and the
// life cycle every sound-using gauge follows. Any failure turns sound off for the
// whole module (sound_enabled = 0) and every gauge goes on silently.
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#else
#include "platform/windows.h"
#endif

// The sound state of one sound-using gauge: one record per gauge definition,
// zero-initialised, shared by every instance of that gauge.
struct CLICK_SOUND {
    HMODULE module;              // whose WAVE resources are searched (from service 2)
    HWND window;                 // the host's main window, or null
    IDirectSound* device;        // null when not open
    IDirectSoundBuffer* buffer;  // the click, null when not loaded
    uint32_t installs;           // instances of the gauge installed and not yet removed
};

// The host's main window, looked up by the class its executable's name selects.
HWND find_host_window(void);

// Creates the DirectSound object for `window` into `device`; 1 on success, 0 on failure.
int32_t sound_open(HWND window, IDirectSound** device);

// Loads WAVE resource `wave_id` of `module` into a new buffer of `device`;
// the number of sample bytes, 0 when sound is off or on failure.
uint32_t sound_load_wave(IDirectSound** device, IDirectSoundBuffer** buffer, uint16_t wave_id,
                         HMODULE module);

// Plays the buffer once from where it stands; 1 on success, 0 when sound is off,
// the slot is empty, or on failure.
int32_t sound_play(IDirectSoundBuffer** buffer, uint32_t flags);

// Release the object and empty the slot (only while sound is on).
void sound_free_buffer(IDirectSoundBuffer** buffer);
void sound_close(IDirectSound** device);

// The life cycle of a gauge's click, for its gauge callback and mouse functions:
// service 2, service 12, and the click itself (flags 0: play once).
void click_sound_install(CLICK_SOUND* sound, uint16_t wave_id, uintptr_t module);
void click_sound_remove(CLICK_SOUND* sound);
int32_t click_sound_play(CLICK_SOUND* sound);
