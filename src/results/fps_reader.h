// Reading an FPS result file into records: groups of four lines, one group per benchmarked
// level (level name, figures line, two lines that are read and ignored).
#pragma once

#include <string>
#include <string_view>

#include "results/fps_read_result.h"
#include "results/fps_record.h"

namespace quorvath {

// Text already decoded.
FpsReadResult ReadFpsText(std::wstring_view text);

// The file's bytes, in the system's ANSI code page; the fields that records keep are
// decoded, the rest is only split into fields and lines.
FpsReadResult ReadFpsBytes(std::string_view bytes);

// The file itself, streamed in pieces. A file that cannot be opened gives no records and a
// kCannotOpen fault; writers may keep it open while it is read.
#ifdef _WIN32
FpsReadResult ReadFpsFile(const std::wstring& path);
#else
FpsReadResult ReadFpsFile(const std::string& utf8_path);
#endif

}  // namespace quorvath
