// Any bytes as a map database to inspect: a report with violations or OK, never a read outside the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "export/database_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    const InspectReport report = inspect_database(std::span<const uint8_t>(data, size));
    const std::string text = format_inspect_report(report, true);
    // The dump ends with "OK" or the violations; it is never empty.
    if (text.empty()) __builtin_trap();
    return 0;
}
