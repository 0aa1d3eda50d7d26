// What the desktop program remembers between runs, in the user's settings file: the recent projects,
// each file dialog's last folder, the main window's geometry and the view toggles. Tests point the
// settings elsewhere (QSettings::setPath) so that they never touch the user's own.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace plotwell::qt {

std::vector<std::string> read_recent_projects();
void write_recent_projects(const std::vector<std::string>& files);

// The folder the dialog of this title ended in last time, or empty.
QString last_folder(const QString& dialog_title);
void remember_folder(const QString& dialog_title, const QString& folder);

// False when nothing was stored or the stored state does not fit the screens any more.
bool restore_window_geometry(QWidget& window);
void save_window_geometry(const QWidget& window);

// A View menu toggle by its name (e.g. "show-names"); off unless it was left on.
bool read_view_toggle(const QString& name);
void write_view_toggle(const QString& name, bool on);

}  // namespace plotwell::qt
