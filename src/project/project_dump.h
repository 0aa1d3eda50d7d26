// Every field of a project as text, one line per header part, bitmap, layer and live object in list
// order: the form `plotwell-tool dump` prints and the round-trip checks compare.
#pragma once

#include <string>
#include <string_view>

#include "model/records.h"

namespace plotwell {

// The text quoted, bytes outside printable ASCII (and the quote and backslash) as \xNN.
std::string dump_quoted(std::string_view text);

std::string dump_project(const Project& project);

}  // namespace plotwell
