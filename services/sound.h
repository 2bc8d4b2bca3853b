// The click-sound service: WAVE resources of the module played through
// DirectSound. Any failure turns sound off for the whole module (sound_enabled = 0)
// and every gauge goes on silently. Gauges use it through services/click_sound.h.
#pragma once

#include <stdint.h>

#include <type_traits>

#if defined(_WIN32)
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#else
#include "platform/windows.h"
#endif

#include "services/click_sound.h"

static_assert(std::is_same_v<HMODULE, HINSTANCE__*> && std::is_same_v<HWND, HWND__*>,
              "CLICK_SOUND names the platform's own handle types");

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
