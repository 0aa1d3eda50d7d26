// The project a monkey run starts from: a file, the sample map, a random project, an empty project or
// one without layers.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/records.h"

namespace plotwell::monkey {

enum class StartKind { File, Sample, Random, Empty, NoLayers };

struct MonkeyStart {
    StartKind kind = StartKind::Random;
    uint64_t seed = 0;  // Random: the project's own seed
    std::string path;   // File
};

// Fills an empty project with the sample map; none when the caller has no sample.
using SampleBuilder = std::function<bool(Project&)>;

// "start random 42", "start file town.mpr", ...: the first line of a case file.
std::string start_line(const MonkeyStart& start);
std::optional<MonkeyStart> parse_start_line(const std::string& line);

// Fills `project` (empty) as the start asks. False, with the reason, when it cannot (a file that does
// not load, no sample builder).
bool build_start_project(const MonkeyStart& start, const SampleBuilder& sample, Project& project,
                         std::string& error);

}  // namespace plotwell::monkey
