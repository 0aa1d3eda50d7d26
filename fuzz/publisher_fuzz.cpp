// Any bytes as publisher.txt: both fields terminated and within their limits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "export/publisher.h"
#include "model/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    PublisherInfo info;
    read_publisher_text(info, std::string_view(reinterpret_cast<const char*>(data), size));
    if (field_text(info.publisher_notice).size() > 31 || field_text(info.contact).size() > 126)
        __builtin_trap();
    return 0;
}
