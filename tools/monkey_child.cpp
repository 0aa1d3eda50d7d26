#include "monkey_child.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace plotwell::tool {

namespace {

// What the child leaves where the parent can read it after the child is gone.
struct Shared {
    int64_t last_event;
    int32_t finished;
};

}  // namespace

ChildOutcome run_in_child(const std::function<int(const EventReport&)>& work, bool keep_events, bool quiet) {
    ChildOutcome outcome;
    void* memory = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        outcome.died = true;
        return outcome;
    }
    auto* shared = static_cast<Shared*>(memory);
    *shared = {-1, 0};
    // The events go to a file outside the working directory, which the run watches.
    std::string events_path;
    int fd = -1;
    if (keep_events) {
        events_path = (std::filesystem::temp_directory_path() / "plotwell-monkey-events-XXXXXX").string();
        fd = mkstemp(events_path.data());
    }
    // The child's temporary files go to a folder of its own, removed here even when the child died
    // before it could remove them.
    std::string scratch = (std::filesystem::temp_directory_path() / "plotwell-monkey-child-XXXXXX").string();
    if (!mkdtemp(scratch.data())) scratch.clear();
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (!scratch.empty()) setenv("TMPDIR", scratch.c_str(), 1);
        if (quiet) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
        }
        const int status = work([&](int64_t index, const monkey::MonkeyEvent& e) {
            shared->last_event = index;
            if (fd < 0) return;
            const std::string line = monkey::event_line(e) + "\n";
            if (write(fd, line.data(), line.size()) < 0) return;
        });
        std::fflush(stdout);
        shared->finished = 1;
        _exit(status);
    }
    int wait_status = 0;
    const bool waited = pid > 0 && waitpid(pid, &wait_status, 0) == pid;
    outcome.died = !waited || !shared->finished;
    outcome.status = waited && WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 1;
    outcome.last_event = shared->last_event;
    munmap(memory, sizeof(Shared));
    std::error_code ec;
    if (!scratch.empty()) std::filesystem::remove_all(scratch, ec);
    if (fd >= 0) {
        close(fd);
        std::ifstream in(events_path);
        for (std::string line; std::getline(in, line);)
            if (auto e = monkey::parse_event_line(line)) outcome.events.push_back(*e);
        std::filesystem::remove(events_path);
    }
    return outcome;
}

}  // namespace plotwell::tool
