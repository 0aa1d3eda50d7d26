#include "qt/recent_projects_menu.h"

#include <QAction>
#include <QMenu>

#include "editor/command_ids.h"
#include "qt/desktop_settings.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

RecentProjectsMenu::RecentProjectsMenu(QMenu* menu, QAction* before, std::function<void(int)> run)
    : menu_(menu), before_(before), run_(std::move(run)) {}

void RecentProjectsMenu::sync(const std::vector<std::string>& files) {
    if (files == shown_) return;
    shown_ = files;
    write_recent_projects(files);
    if (!separator_ && !files.empty()) {
        separator_ = menu_->insertSeparator(before_);
        top_separator_ = menu_->insertSeparator(separator_);  // the entries go between the two
    }
    while (entries_.size() < files.size()) {
        const int command = cmd::kRecentProject + int(entries_.size());
        QAction* action = new QAction(menu_);
        action->setData(command);
        menu_->insertAction(separator_, action);
        QObject::connect(action, &QAction::triggered, menu_, [this, command]() { run_(command); });
        entries_.push_back(action);
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        entries_[i]->setVisible(i < files.size());
        // "&&" keeps an "&" of the path from becoming a mnemonic.
        if (i < files.size())
            entries_[i]->setText(
                QString("&%1 %2").arg(i + 1).arg(from_local_text(files[i]).replace("&", "&&")));
    }
    if (separator_) {
        separator_->setVisible(!files.empty());
        top_separator_->setVisible(!files.empty());
    }
}

}  // namespace plotwell::qt
