// The hostile inputs kept in tests/data/errors/<reader>/: known bad shapes of each format and every
// input a fuzzer ever crashed on. Each reader's errors test feeds all of them to the reader.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace plotwell::test {

struct ErrorCase {
    std::string name;  // the file name, for the failure message
    std::vector<uint8_t> bytes;
};

// Every file of tests/data/errors/<reader>, sorted by name.
inline std::vector<ErrorCase> error_cases(const std::string& reader) {
    std::vector<ErrorCase> cases;
    const std::filesystem::path dir = std::filesystem::path(PLOTWELL_TEST_DATA_DIR) / "errors" / reader;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        ErrorCase c;
        c.name = entry.path().filename().string();
        c.bytes.assign(std::istreambuf_iterator<char>(in), {});
        cases.push_back(std::move(c));
    }
    std::sort(cases.begin(), cases.end(), [](const ErrorCase& a, const ErrorCase& b) { return a.name < b.name; });
    return cases;
}

// The case of that name (empty bytes and name when there is none).
inline ErrorCase error_case(const std::string& reader, const std::string& name) {
    for (ErrorCase& c : error_cases(reader))
        if (c.name == name) return c;
    return {};
}

}  // namespace plotwell::test
