// Shared between the stand-in platform's sources: the failure schedule.
#pragma once

#include "platform/stand_in.h"

namespace stand_in {

// True when this call of `call` is scheduled to fail; `result` receives the
// HRESULT to report.
bool failing(STAND_IN_CALL call, HRESULT* result = nullptr);
void reset_failures();

// Counts for stand_in_counts().
uint32_t live_blocks();
uint32_t bad_block_frees();
uint32_t open_memory_files();

// True for a window registered with stand_in_add_window.
bool window_exists(HWND window);

}  // namespace stand_in
