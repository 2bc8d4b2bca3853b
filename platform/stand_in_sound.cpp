// Stand-in for DirectSound: devices and buffers with reference counts, a log of
// every call the module makes, and failures on demand. Objects live until the
// process ends, so a call on a released object is logged as dead instead of
// touching freed memory.
#include <string.h>

#include <memory>
#include <vector>

#include "platform/stand_in_internal.h"

namespace {

struct Device;
struct Buffer;

std::vector<STAND_IN_SOUND_CALL> calls;
std::vector<std::unique_ptr<Device>> devices;
std::vector<std::unique_ptr<Buffer>> buffers;
uint32_t next_serial = 1;

STAND_IN_SOUND_CALL& log_call(STAND_IN_CALL call, uint32_t object, uint32_t device, bool dead,
                              uintptr_t a0 = 0, uintptr_t a1 = 0, uintptr_t a2 = 0) {
    calls.push_back(STAND_IN_SOUND_CALL{call, object, device, 0, dead, {a0, a1, a2}});
    return calls.back();
}

HRESULT finish(STAND_IN_SOUND_CALL& entry, HRESULT result) {
    entry.result = result;
    return result;
}

bool valid_pcm(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f.nChannels < 1 || f.nChannels > 2) return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
    if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000) return false;
    if (f.nBlockAlign != f.nChannels * f.wBitsPerSample / 8) return false;
    return f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

struct Device final : IDirectSound {
    uint32_t serial = next_serial++;
    ULONG references = 1;
    HWND window = nullptr;
    DWORD level = 0;

    bool dead() const { return references == 0; }

    HRESULT QueryInterface(REFIID, void** object) override {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return dead() ? 0 : ++references; }
    ULONG Release() override {
        STAND_IN_SOUND_CALL& e = log_call(STAND_IN_SOUND_RELEASE, serial, serial, dead());
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_SOUND_RELEASE, &result) || dead()) {
            e.args[0] = references;
            return references;
        }
        e.args[0] = --references;
        return references;
    }
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                              IUnknown* outer) override;
    HRESULT GetCaps(DSCAPS*) override { return E_NOTIMPL; }
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer*, IDirectSoundBuffer** duplicate) override {
        if (duplicate != nullptr) *duplicate = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetCooperativeLevel(HWND w, DWORD l) override {
        STAND_IN_SOUND_CALL& e = log_call(STAND_IN_SOUND_COOPERATIVE_LEVEL, serial, serial, dead(),
                                          reinterpret_cast<uintptr_t>(w), l);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_SOUND_COOPERATIVE_LEVEL, &result)) return finish(e, result);
        // DirectSound wants a real top-level window.
        if (!stand_in::window_exists(w) || l < DSSCL_NORMAL || l > DSSCL_WRITEPRIMARY)
            return finish(e, DSERR_INVALIDPARAM);
        window = w;
        level = l;
        return finish(e, DS_OK);
    }
    HRESULT Compact() override { return DS_OK; }
    HRESULT GetSpeakerConfig(DWORD* config) override {
        if (config != nullptr) *config = 0;
        return DS_OK;
    }
    HRESULT SetSpeakerConfig(DWORD) override { return DS_OK; }
    HRESULT Initialize(LPCGUID) override { return DSERR_INVALIDCALL; }
};

struct Buffer final : IDirectSoundBuffer {
    uint32_t serial = next_serial++;
    Device* owner = nullptr;
    ULONG references = 1;
    DSBUFFERDESC description{};
    WAVEFORMATEX format{};
    std::vector<uint8_t> bytes;
    DWORD position = 0;
    uint32_t plays = 0;
    bool locked = false;
    void* locked_region1 = nullptr;
    DWORD locked_bytes1 = 0;
    DWORD locked_bytes2 = 0;
    bool playing = false;

    bool dead() const { return references == 0 || owner->dead(); }
    STAND_IN_SOUND_CALL& log(STAND_IN_CALL call, uintptr_t a0 = 0, uintptr_t a1 = 0,
                             uintptr_t a2 = 0) {
        return log_call(call, serial, owner->serial, dead(), a0, a1, a2);
    }

    HRESULT QueryInterface(REFIID, void** object) override {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return references == 0 ? 0 : ++references; }
    ULONG Release() override {
        STAND_IN_SOUND_CALL& e = log(STAND_IN_BUFFER_RELEASE);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_BUFFER_RELEASE, &result) || references == 0) {
            e.args[0] = references;
            return references;
        }
        e.args[0] = --references;
        if (references == 0) locked = false;
        return references;
    }
    HRESULT GetCaps(DSBCAPS*) override { return E_NOTIMPL; }
    HRESULT GetCurrentPosition(DWORD* play, DWORD* write) override {
        if (play != nullptr) *play = position;
        if (write != nullptr) *write = position;
        return DS_OK;
    }
    HRESULT GetFormat(WAVEFORMATEX* f, DWORD size, DWORD* written) override {
        DWORD n = size < sizeof format ? size : static_cast<DWORD>(sizeof format);
        if (f != nullptr) memcpy(f, &format, n);
        if (written != nullptr) *written = n;
        return DS_OK;
    }
    HRESULT GetVolume(LONG* volume) override {
        if (volume != nullptr) *volume = 0;
        return DS_OK;
    }
    HRESULT GetPan(LONG* pan) override {
        if (pan != nullptr) *pan = 0;
        return DS_OK;
    }
    HRESULT GetFrequency(DWORD* frequency) override {
        if (frequency != nullptr) *frequency = format.nSamplesPerSec;
        return DS_OK;
    }
    HRESULT GetStatus(DWORD* status) override {
        if (status != nullptr) *status = playing ? DSBSTATUS_PLAYING : 0;
        return DS_OK;
    }
    HRESULT Initialize(IDirectSound*, const DSBUFFERDESC*) override { return DSERR_INVALIDCALL; }
    HRESULT Lock(DWORD offset, DWORD count, void** region1, DWORD* bytes1, void** region2,
                 DWORD* bytes2, DWORD flags) override {
        STAND_IN_SOUND_CALL& e = log(STAND_IN_BUFFER_LOCK, offset, count, flags);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_BUFFER_LOCK, &result)) return finish(e, result);
        const DWORD size = static_cast<DWORD>(bytes.size());
        if ((flags & DSBLOCK_ENTIREBUFFER) != 0) count = size;
        if (dead() || locked || region1 == nullptr || bytes1 == nullptr || offset >= size ||
            count == 0 || count > size)
            return finish(e, DSERR_INVALIDPARAM);
        DWORD first = count <= size - offset ? count : size - offset;
        *region1 = bytes.data() + offset;
        *bytes1 = first;
        if (region2 != nullptr) *region2 = first < count ? bytes.data() : nullptr;
        if (bytes2 != nullptr) *bytes2 = count - first;
        locked = true;
        locked_region1 = *region1;
        locked_bytes1 = first;
        locked_bytes2 = count - first;
        return finish(e, DS_OK);
    }
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override {
        STAND_IN_SOUND_CALL& e = log(STAND_IN_BUFFER_PLAY, reserved, priority, flags);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_BUFFER_PLAY, &result)) return finish(e, result);
        if (dead() || reserved != 0 || priority != 0) return finish(e, DSERR_INVALIDPARAM);
        ++plays;
        playing = true;
        return finish(e, DS_OK);
    }
    HRESULT SetCurrentPosition(DWORD p) override {
        STAND_IN_SOUND_CALL& e = log(STAND_IN_BUFFER_SET_POSITION, p);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_BUFFER_SET_POSITION, &result)) return finish(e, result);
        if (dead() || p >= bytes.size()) return finish(e, DSERR_INVALIDPARAM);
        position = p;
        return finish(e, DS_OK);
    }
    HRESULT SetFormat(const WAVEFORMATEX*) override { return DSERR_INVALIDCALL; }
    HRESULT SetVolume(LONG) override { return DS_OK; }
    HRESULT SetPan(LONG) override { return DS_OK; }
    HRESULT SetFrequency(DWORD) override { return DS_OK; }
    HRESULT Stop() override {
        playing = false;
        return DS_OK;
    }
    HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) override {
        STAND_IN_SOUND_CALL& e = log(STAND_IN_BUFFER_UNLOCK, bytes1, bytes2);
        HRESULT result = 0;
        if (stand_in::failing(STAND_IN_BUFFER_UNLOCK, &result)) return finish(e, result);
        if (dead() || !locked || region1 != locked_region1 || bytes1 > locked_bytes1 ||
            bytes2 > locked_bytes2 || (bytes2 != 0 && region2 != bytes.data()))
            return finish(e, DSERR_INVALIDPARAM);
        locked = false;
        return finish(e, DS_OK);
    }
    HRESULT Restore() override { return DS_OK; }
};

HRESULT Device::CreateSoundBuffer(const DSBUFFERDESC* d, IDirectSoundBuffer** out,
                                  IUnknown* outer) {
    STAND_IN_SOUND_CALL& e = log_call(STAND_IN_SOUND_CREATE_BUFFER, 0, serial, dead());
    if (out != nullptr) *out = nullptr;
    HRESULT result = 0;
    if (stand_in::failing(STAND_IN_SOUND_CREATE_BUFFER, &result)) return finish(e, result);
    if (dead() || out == nullptr || d == nullptr) return finish(e, DSERR_INVALIDPARAM);
    if (outer != nullptr) return finish(e, DSERR_NOAGGREGATION);
    // The record must be this platform's own DSBUFFERDESC, as DirectSound checks.
    if (d->dwSize != sizeof(DSBUFFERDESC) || d->lpwfxFormat == nullptr)
        return finish(e, DSERR_INVALIDPARAM);
    if (d->dwBufferBytes < DSBSIZE_MIN || d->dwBufferBytes > DSBSIZE_MAX)
        return finish(e, DSERR_INVALIDPARAM);
    if (!valid_pcm(*d->lpwfxFormat)) return finish(e, DSERR_BADFORMAT);
    auto b = std::make_unique<Buffer>();
    b->owner = this;
    b->description = *d;
    b->description.lpwfxFormat = nullptr;
    b->format = *d->lpwfxFormat;
    b->bytes.assign(d->dwBufferBytes, 0);
    e.object = b->serial;
    *out = b.get();
    buffers.push_back(std::move(b));
    return finish(e, DS_OK);
}

}  // namespace

extern "C" {

HRESULT WINAPI DirectSoundCreate(LPCGUID device, IDirectSound** sound, IUnknown* outer) {
    STAND_IN_SOUND_CALL& e = log_call(STAND_IN_SOUND_CREATE, 0, 0, false);
    if (sound != nullptr) *sound = nullptr;
    HRESULT result = 0;
    if (stand_in::failing(STAND_IN_SOUND_CREATE, &result)) return finish(e, result);
    if (sound == nullptr) return finish(e, DSERR_INVALIDPARAM);
    if (outer != nullptr) return finish(e, DSERR_NOAGGREGATION);
    if (device != nullptr) return finish(e, DSERR_NODRIVER);  // only the default device
    auto d = std::make_unique<Device>();
    e.object = d->serial;
    e.device = d->serial;
    *sound = d.get();
    devices.push_back(std::move(d));
    return finish(e, DS_OK);
}

size_t stand_in_sound_call_count(void) { return calls.size(); }
const STAND_IN_SOUND_CALL* stand_in_sound_calls(void) { return calls.data(); }

bool stand_in_buffer_info(uint32_t serial, STAND_IN_BUFFER_INFO* info) {
    for (const auto& b : buffers) {
        if (b->serial != serial) continue;
        if (info != nullptr) {
            *info = STAND_IN_BUFFER_INFO{b->owner->serial, b->description, b->format,
                                         b->bytes.data(), b->position, b->plays, b->references};
        }
        return true;
    }
    return false;
}

STAND_IN_COUNTS stand_in_counts(void) {
    STAND_IN_COUNTS c{};
    for (const auto& d : devices)
        if (!d->dead()) ++c.devices;
    // Releasing a device to zero frees its buffers with it, as DirectSound does.
    for (const auto& b : buffers) {
        if (b->dead()) continue;
        ++c.buffers;
        if (b->locked) ++c.locked_buffers;
    }
    c.memory_files = stand_in::open_memory_files();
    c.memory_blocks = stand_in::live_blocks();
    c.bad_frees = stand_in::bad_block_frees();
    return c;
}

void stand_in_reset(void) {
    calls.clear();
    stand_in::reset_failures();
}

}  // extern "C"
