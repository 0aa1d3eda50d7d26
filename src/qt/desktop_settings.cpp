#include "qt/desktop_settings.h"

#include <QSettings>
#include <QWidget>

#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {

// One INI file of the user's (~/.config/Plotwell/plotwell.ini), whatever the application object is named.
class Settings : public QSettings {
  public:
    Settings() : QSettings(QSettings::IniFormat, QSettings::UserScope, "Plotwell", "plotwell") {}
};

// A "/" or "\\" in a dialog's title would make a group of the key.
QString folder_key(QString dialog_title) {
    return "folders/" + dialog_title.replace('/', '_').replace('\\', '_');
}

}  // namespace

std::vector<std::string> read_recent_projects() {
    std::vector<std::string> files;
    for (const QString& f : Settings().value("recent-projects").toStringList())
        if (!f.isEmpty()) files.push_back(to_local_text(f));
    return files;
}

void write_recent_projects(const std::vector<std::string>& files) {
    QStringList list;
    for (const std::string& f : files) list << from_local_text(f);
    Settings().setValue("recent-projects", list);
}

QString last_folder(const QString& dialog_title) {
    return Settings().value(folder_key(dialog_title)).toString();
}

void remember_folder(const QString& dialog_title, const QString& folder) {
    Settings().setValue(folder_key(dialog_title), folder);
}

bool restore_window_geometry(QWidget& window) {
    const QByteArray geometry = Settings().value("window/geometry").toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void save_window_geometry(const QWidget& window) {
    Settings().setValue("window/geometry", window.saveGeometry());
}

bool read_view_toggle(const QString& name) {
    return Settings().value("view/" + name, false).toBool();
}

void write_view_toggle(const QString& name, bool on) {
    Settings().setValue("view/" + name, on);
}

}  // namespace plotwell::qt
