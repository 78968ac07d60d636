// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output_stream.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace korvanta {
namespace {

std::string Reason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("write error");
}

}  // namespace

std::optional<std::string> WriteChecked(std::ostream& out, std::string_view text) {
    if (!out) return Reason(0);
    // The stream keeps no error code of its own; errno still holds the
    // system's when the failing write was the last call that set it.
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) return Reason(errno);
    return std::nullopt;
}

}  // namespace korvanta
