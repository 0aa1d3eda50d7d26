// The File menu's recent projects: "&1 /maps/city.mpr" ... above Exit, one command each, shown as the
// editor keeps the list and stored in the settings whenever the list changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace plotwell::qt {

class RecentProjectsMenu {
  public:
    // Entries go into `menu` before `before`; `run` runs an entry's command.
    RecentProjectsMenu(QMenu* menu, QAction* before, std::function<void(int command)> run);
    // Shows `files` (and stores them) when they are not what the menu shows already.
    void sync(const std::vector<std::string>& files);

  private:
    QMenu* menu_;
    QAction* before_;
    std::function<void(int)> run_;
    QAction* top_separator_ = nullptr;
    QAction* separator_ = nullptr;  // above Exit
    // Made as the list first grows and then only hidden: an entry may be the one whose command runs.
    std::vector<QAction*> entries_;
    std::vector<std::string> shown_;
};

}  // namespace plotwell::qt
