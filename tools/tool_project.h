// Helpers the project subcommands of plotwell-tool share: project file arguments, loading with a
// report, number and text formatting.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/result.h"
#include "project/project_file.h"

namespace plotwell::tool {

// True when `path` names a project file (ends in ".mpr", any case); `base` is then the path without it.
[[nodiscard]] bool project_base_name(const std::string& path, std::string& base);

// Loads the project file at `path` quietly. On failure the message is a one-line reason.
Result load_project_for_tool(const std::string& path, Project& project, ProjectFileReport* report = nullptr);

// Text of a fixed field in double quotes; quotes, backslashes and bytes outside printable ASCII as \xNN,
// so that every byte shows and one object stays on one line.
std::string quoted(std::string_view text);

// Whole decimal number in int32 range; false otherwise.
[[nodiscard]] bool parse_int32(std::string_view text, int32_t& value);

// Splits "a,b,c" at commas.
std::vector<std::string> split(std::string_view text, char separator);

}  // namespace plotwell::tool
