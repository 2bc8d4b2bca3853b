// Stand-in for the multimedia file functions over a memory block (I/O procedure
// "MEM "): RIFF chunks are found by walking their headers, bounded by the
// parent chunk or the end of the block.
#include <string.h>

#include <set>

#include "platform/stand_in_internal.h"

namespace {

struct MemoryFile {
    const uint8_t* data;
    uint64_t size;
    uint64_t position;
};

std::set<MemoryFile*> open_files;

MemoryFile* file_of(HMMIO handle) {
    auto* f = reinterpret_cast<MemoryFile*>(handle);
    return open_files.count(f) != 0 ? f : nullptr;
}

uint32_t read_u32(const MemoryFile* f, uint64_t at) {
    const uint8_t* p = f->data + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

namespace stand_in {
uint32_t open_memory_files() { return static_cast<uint32_t>(open_files.size()); }
}  // namespace stand_in

extern "C" {

HMMIO WINAPI mmioOpenA(LPSTR file_name, MMIOINFO* info, DWORD flags) {
    (void)flags;
    if (info != nullptr) info->wErrorRet = 0;
    auto fail = [info](UINT error) -> HMMIO {
        if (info != nullptr) info->wErrorRet = error;
        return nullptr;
    };
    if (stand_in::failing(STAND_IN_MMIO_OPEN)) return fail(MMIOERR_OUTOFMEMORY);
    // Only memory files exist here; a disk file name cannot be opened.
    if (file_name != nullptr || info == nullptr || info->fccIOProc != FOURCC_MEM ||
        info->pchBuffer == nullptr || info->cchBuffer < 0)
        return fail(MMIOERR_CANNOTOPEN);
    auto* f = new MemoryFile{reinterpret_cast<const uint8_t*>(info->pchBuffer),
                             static_cast<uint64_t>(info->cchBuffer), 0};
    open_files.insert(f);
    HMMIO handle = reinterpret_cast<HMMIO>(f);
    info->hmmio = handle;
    return handle;
}

MMRESULT WINAPI mmioClose(HMMIO handle, UINT) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr) return MMIOERR_INVALIDFILE;
    open_files.erase(f);
    delete f;
    return MMSYSERR_NOERROR;
}

LONG WINAPI mmioRead(HMMIO handle, HPSTR buffer, LONG bytes) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr || buffer == nullptr || bytes < 0) return -1;
    if (stand_in::failing(STAND_IN_MMIO_READ)) return -1;
    uint64_t left = f->position < f->size ? f->size - f->position : 0;
    uint64_t n = static_cast<uint64_t>(bytes) < left ? static_cast<uint64_t>(bytes) : left;
    memcpy(buffer, f->data + f->position, n);
    f->position += n;
    return static_cast<LONG>(n);
}

MMRESULT WINAPI mmioDescend(HMMIO handle, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr || chunk == nullptr) return MMIOERR_INVALIDFILE;
    if (stand_in::failing(STAND_IN_MMIO_DESCEND)) return MMIOERR_CANNOTREAD;
    const FOURCC wanted_id = chunk->ckid;
    const FOURCC wanted_type = chunk->fccType;
    uint64_t end = f->size;
    if (parent != nullptr) {
        uint64_t parent_end = uint64_t(parent->dwDataOffset) + parent->cksize;
        if (parent_end < end) end = parent_end;
    }
    uint64_t at = f->position;
    while (at + 8 <= end) {
        FOURCC id = read_u32(f, at);
        DWORD size = read_u32(f, at + 4);
        bool has_form = id == FOURCC_RIFF || id == FOURCC_LIST;
        if (has_form && at + 12 > end) break;
        FOURCC form = has_form ? read_u32(f, at + 8) : 0;
        bool match = true;
        if ((flags & MMIO_FINDRIFF) != 0)
            match = id == FOURCC_RIFF && form == wanted_type;
        else if ((flags & MMIO_FINDLIST) != 0)
            match = id == FOURCC_LIST && form == wanted_type;
        else if ((flags & MMIO_FINDCHUNK) != 0)
            match = id == wanted_id;
        if (match) {
            chunk->ckid = id;
            chunk->cksize = size;
            chunk->fccType = form;
            chunk->dwDataOffset = static_cast<DWORD>(at + 8);
            chunk->dwFlags = 0;
            f->position = at + 8 + (has_form ? 4 : 0);
            return MMSYSERR_NOERROR;
        }
        at += 8 + uint64_t(size) + (size & 1);  // chunks are padded to even sizes
    }
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT WINAPI mmioAscend(HMMIO handle, MMCKINFO* chunk, UINT) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr || chunk == nullptr) return MMIOERR_INVALIDFILE;
    if (stand_in::failing(STAND_IN_MMIO_ASCEND)) return MMIOERR_CANNOTSEEK;
    f->position = uint64_t(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    return MMSYSERR_NOERROR;
}

}  // extern "C"
