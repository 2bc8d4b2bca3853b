// The part of the Windows API that the module's sound service uses, for builds
// that are not Windows: the same names, types and numbers, implemented by the
// stand-in platform library (libplatform). Tests and the native host steer it
// through platform/stand_in.h.
#pragma once

#if defined(_WIN32)
#error "platform/windows.h stands in for <windows.h> on non-Windows builds only"
#endif

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define PLATFORM_API __attribute__((visibility("default")))

// ---- base types -----------------------------------------------------------------

typedef int32_t BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef int32_t HRESULT;
typedef uint32_t MMRESULT;
typedef uint32_t FOURCC;
typedef char CHAR;
typedef char* LPSTR;
typedef char* HPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef uintptr_t UINT_PTR;
typedef intptr_t LPARAM;

struct HINSTANCE__;
struct HWND__;
struct HRSRC__;
struct HMMIO__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HWND__* HWND;
typedef HRSRC__* HRSRC;
typedef void* HGLOBAL;
typedef HMMIO__* HMMIO;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// ---- resources ---------------------------------------------------------------------

// An integer resource id or type travels in the pointer itself (values below 0x10000).
#define IS_INTRESOURCE(p) ((reinterpret_cast<uintptr_t>(p) >> 16) == 0)
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<WORD>(i))))
#define RT_BITMAP MAKEINTRESOURCEA(2)

// ---- memory blocks -------------------------------------------------------------------

#define GMEM_FIXED 0x0000
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// ---- multimedia files ------------------------------------------------------------------

#define mmioFOURCC(a, b, c, d)                                                     \
    (static_cast<FOURCC>(static_cast<BYTE>(a)) |                                   \
     (static_cast<FOURCC>(static_cast<BYTE>(b)) << 8) |                            \
     (static_cast<FOURCC>(static_cast<BYTE>(c)) << 16) |                           \
     (static_cast<FOURCC>(static_cast<BYTE>(d)) << 24))
#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')
#define FOURCC_MEM mmioFOURCC('M', 'E', 'M', ' ')

#define MMIO_READ 0x00000000
#define MMIO_WRITE 0x00000001
#define MMIO_READWRITE 0x00000002
#define MMIO_ALLOCBUF 0x00010000
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040

#define MMSYSERR_NOERROR 0
#define MMIOERR_BASE 256
#define MMIOERR_OUTOFMEMORY (MMIOERR_BASE + 2)
#define MMIOERR_CANNOTOPEN (MMIOERR_BASE + 3)
#define MMIOERR_CANNOTREAD (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)
#define MMIOERR_INVALIDFILE (MMIOERR_BASE + 16)

typedef LONG(WINAPI* LPMMIOPROC)(LPSTR info, UINT message, LPARAM param1, LPARAM param2);

struct MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc;   // FOURCC_MEM: the file is the memory block pchBuffer
    LPMMIOPROC pIOProc;
    UINT wErrorRet;
    void* htask;
    LONG cchBuffer;     // bytes of the memory block
    HPSTR pchBuffer;
    HPSTR pchNext;
    HPSTR pchEndRead;
    HPSTR pchEndWrite;
    LONG lBufOffset;
    LONG lDiskOffset;
    DWORD adwInfo[3];
    DWORD dwReserved1;
    DWORD dwReserved2;
    HMMIO hmmio;
};

struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;       // form type of a RIFF or LIST chunk
    DWORD dwDataOffset;   // file offset of the chunk's data
    DWORD dwFlags;
};

#define WAVE_FORMAT_PCM 1

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

// ---- DirectSound ---------------------------------------------------------------------------

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef const GUID* LPCGUID;
typedef const GUID& REFIID;

#define S_OK static_cast<HRESULT>(0)
#define S_FALSE static_cast<HRESULT>(1)
#define E_NOTIMPL static_cast<HRESULT>(0x80004001)
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002)
#define DS_OK S_OK
#define DSERR_INVALIDPARAM static_cast<HRESULT>(0x80070057)
#define DSERR_OUTOFMEMORY static_cast<HRESULT>(0x8007000E)
#define DSERR_NOAGGREGATION static_cast<HRESULT>(0x80040110)
#define DSERR_BADFORMAT static_cast<HRESULT>(0x88780064)
#define DSERR_NODRIVER static_cast<HRESULT>(0x88780078)
#define DSERR_BUFFERLOST static_cast<HRESULT>(0x88780096)
#define DSERR_INVALIDCALL static_cast<HRESULT>(0x88780032)

#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_GLOBALFOCUS 0x00008000

#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002
#define DSBPLAY_LOOPING 0x00000001
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_LOOPING 0x00000004

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
    GUID guid3DAlgorithm;
};

struct DSCAPS;
struct DSBCAPS;
struct IDirectSoundBuffer;

// COM interfaces: the method tables in DirectSound's own order.
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IDirectSound : IUnknown {
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description,
                                      IDirectSoundBuffer** buffer, IUnknown* outer) = 0;
    virtual HRESULT GetCaps(DSCAPS* caps) = 0;
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original,
                                         IDirectSoundBuffer** duplicate) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT Compact() = 0;
    virtual HRESULT GetSpeakerConfig(DWORD* config) = 0;
    virtual HRESULT SetSpeakerConfig(DWORD config) = 0;
    virtual HRESULT Initialize(LPCGUID device) = 0;
};

struct IDirectSoundBuffer : IUnknown {
    virtual HRESULT GetCaps(DSBCAPS* caps) = 0;
    virtual HRESULT GetCurrentPosition(DWORD* play, DWORD* write) = 0;
    virtual HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) = 0;
    virtual HRESULT GetVolume(LONG* volume) = 0;
    virtual HRESULT GetPan(LONG* pan) = 0;
    virtual HRESULT GetFrequency(DWORD* frequency) = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
    virtual HRESULT Initialize(IDirectSound* device, const DSBUFFERDESC* description) = 0;
    virtual HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* bytes1,
                         void** region2, DWORD* bytes2, DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT SetPan(LONG pan) = 0;
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(void* region1, DWORD bytes1, void* region2, DWORD bytes2) = 0;
    virtual HRESULT Restore() = 0;
};

// ---- functions ---------------------------------------------------------------------------------

extern "C" {
PLATFORM_API DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);
PLATFORM_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
PLATFORM_API HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR window_name);

PLATFORM_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
PLATFORM_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
PLATFORM_API LPVOID WINAPI LockResource(HGLOBAL resource);
PLATFORM_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
PLATFORM_API BOOL WINAPI FreeResource(HGLOBAL resource);

PLATFORM_API HGLOBAL WINAPI GlobalAlloc(UINT flags, size_t bytes);
PLATFORM_API HGLOBAL WINAPI GlobalFree(HGLOBAL block);

PLATFORM_API HMMIO WINAPI mmioOpenA(LPSTR file_name, MMIOINFO* info, DWORD flags);
PLATFORM_API MMRESULT WINAPI mmioClose(HMMIO file, UINT flags);
PLATFORM_API LONG WINAPI mmioRead(HMMIO file, HPSTR buffer, LONG bytes);
PLATFORM_API MMRESULT WINAPI mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent,
                                         UINT flags);
PLATFORM_API MMRESULT WINAPI mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);

PLATFORM_API HRESULT WINAPI DirectSoundCreate(LPCGUID device, IDirectSound** sound,
                                              IUnknown* outer);
}
