// One run of the tool over its folders: each is opened as a workspace, read, changed, saved or
// described, and released before the next.
#pragma once

#include "cli/Request.h"

#include <cstddef>
#include <cstdio>

namespace vennart::cli {

// The buffer of the tool's standard output: reports of thousands of files go out in large writes,
// not one per line.
inline constexpr std::size_t kOutputBufferSize = 1 << 16;

// Where a run writes: results to `out`, failures and the progress line to `err` (the line only
// when `showProgress`).
struct Console {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    bool showProgress = false;
};

// Runs the request; returns 0 when every file succeeded and 1 when any failed, each failure named
// on `err`. Throws UsageError for a settings file that does not exist.
int Run(const Request& request, const Console& console);

} // namespace vennart::cli
