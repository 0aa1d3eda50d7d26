#include "model/bytes.h"

#include <cstdio>

namespace plotwell {

bool read_whole_file(const std::string& path, std::vector<uint8_t>& out, size_t max_size) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bool good = true;
    uint8_t chunk[1 << 16];
    for (;;) {
        size_t n = std::fread(chunk, 1, sizeof chunk, f);
        if (n > 0) {
            if (out.size() + n > max_size) {
                good = false;
                break;
            }
            out.insert(out.end(), chunk, chunk + n);
        }
        if (n < sizeof chunk) {
            good = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    if (!good) out.clear();
    return good;
}

}  // namespace plotwell
