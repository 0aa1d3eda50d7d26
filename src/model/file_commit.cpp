#include "model/file_commit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace plotwell {

namespace {
constexpr size_t kChunk = size_t(1) << 20;

bool write_all(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size < kChunk ? size : kChunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}
}  // namespace

bool commit_file(const std::string& path, std::span<const uint8_t> bytes, const WriteFaults* faults) {
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp creates 0600; give the file the usual permissions of a document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    size_t good = bytes.size();
    if (faults && faults->fail_at_byte >= 0 && uint64_t(faults->fail_at_byte) < bytes.size())
        good = size_t(faults->fail_at_byte);
    bool ok = write_all(fd, bytes.data(), good) && good == bytes.size();
    if (ok && faults && faults->fail_flush) ok = false;
    if (ok) ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace plotwell
