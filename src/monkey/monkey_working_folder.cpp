#include "monkey/monkey_working_folder.h"

#include <stdlib.h>

#include <string>

namespace plotwell::monkey {

namespace fs = std::filesystem;

WorkingFolder::WorkingFolder() {
    std::string pattern = (fs::temp_directory_path() / "plotwell-monkey-XXXXXX").string();
    std::error_code ec;
    previous_ = fs::current_path(ec);
    if (ec || !mkdtemp(pattern.data())) return;
    fs::current_path(pattern, ec);
    if (!ec) folder_ = pattern;
}

WorkingFolder::~WorkingFolder() {
    if (folder_.empty()) return;
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(folder_, ec);
}

}  // namespace plotwell::monkey
