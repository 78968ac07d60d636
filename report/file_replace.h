// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file whole or not at all: the new contents go to a temporary
// file in the target's folder (".NAME.XXXXXXXX.part", NAME cut short where
// the whole would pass the longest name the folder takes), which is renamed
// over the target only once it is completely written and flushed to disk. Qt-free; the chart page
// writers of the window and the command line use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Writes `bytes` to `path`, the file name's bytes as the system takes them.
// Any failure (no such folder, no permission, a folder of that name, no
// space, a file-size limit when SIGXFSZ is ignored) leaves an existing file
// as it was, removes the temporary file and returns the reason as the system words it ("No space
// left on device"). A link is followed and its target replaced, keeping the
// target's permission bits. A path that names something other than a regular
// file (a pipe, a terminal, /dev/stdout) is written in place, with every
// write checked, since there is no old content to keep.
std::optional<std::string> ReplaceFileWhole(const std::string& path, std::string_view bytes);

}  // namespace korvanta
