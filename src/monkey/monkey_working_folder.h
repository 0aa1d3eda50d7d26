// An empty temporary folder made the process's working directory for as long as it lives: a monkey
// run watches it (see SessionOptions::watch_working_directory) to catch files the editor writes under
// names it takes relative to the working directory.
#pragma once

#include <filesystem>

namespace plotwell::monkey {

class WorkingFolder {
  public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    bool ok() const { return !folder_.empty(); }

  private:
    std::filesystem::path previous_, folder_;
};

}  // namespace plotwell::monkey
