// The click of a sound-using gauge: what its gauge callback and mouse functions
// use. The sound service behind it (services/sound.h) is the only code that
// sees the Windows and DirectSound declarations; here they are only named.
#pragma once

#include <stdint.h>

struct HINSTANCE__;
struct HWND__;
struct IDirectSound;
struct IDirectSoundBuffer;

// The sound state of one sound-using gauge: one record per gauge definition,
// zero-initialised, shared by every instance of that gauge.
struct CLICK_SOUND {
    HINSTANCE__* module;         // whose WAVE resources are searched (from service 2)
    HWND__* window;              // the host's main window, or null
    IDirectSound* device;        // null when not open
    IDirectSoundBuffer* buffer;  // the click, null when not loaded
    uint32_t installs;           // instances of the gauge installed and not yet removed
};

// Service 2: the first instance of the gauge opens the device and loads WAVE
// `wave_id` of `module` (the extra value of the service); later instances share them.
void click_sound_install(CLICK_SOUND* sound, uint16_t wave_id, uintptr_t module);
// Service 12: the last instance removed releases the buffer and the device.
void click_sound_remove(CLICK_SOUND* sound);
// The click: plays the buffer once; 0 when sound is off or nothing is loaded.
int32_t click_sound_play(CLICK_SOUND* sound);
