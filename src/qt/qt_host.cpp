#include "qt/qt_host.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "qt/cursors.h"
#include "qt/desktop_settings.h"
#include "qt/main_window.h"
#include "qt/map_widget.h"
#include "qt/progress_dialog.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
// A message or a sub-dialog asked for by an open dialog belongs over that dialog, not the main window.
QWidget* owner_for(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : window;
}
}  // namespace

const DialogView* DialogViews::find(const DialogModel& model) const {
    auto it = views_.find(std::type_index(typeid(model)));
    return it == views_.end() ? nullptr : &it->second;
}

Answer QtHost::message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None:
            qicon = QMessageBox::NoIcon;
            break;
        case MessageIcon::Information:
            qicon = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            qicon = QMessageBox::Warning;
            break;
        case MessageIcon::Error:
            qicon = QMessageBox::Critical;
            break;
        case MessageIcon::Question:
            qicon = QMessageBox::Question;
            break;
    }
    QMessageBox::StandardButtons qbuttons = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo) qbuttons = QMessageBox::Yes | QMessageBox::No;
    if (buttons == MessageButtons::YesNoCancel)
        qbuttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(qicon, from_local_text(caption), from_local_text(text), qbuttons, owner_for(window_));
    if (buttons == MessageButtons::YesNoCancel) box.setEscapeButton(QMessageBox::Cancel);
    if (buttons == MessageButtons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<std::string> QtHost::file_dialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(owner_for(window_), from_local_text(options.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((options.flags & kFileMustExist) && !save ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(options.flags & kOverwritePrompt));
    QString patterns = from_local_text(options.filter_pattern);
    if (!options.more_patterns.empty()) patterns += ' ' + from_local_text(options.more_patterns);
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(from_local_text(options.filter_name), patterns));
    QString suffix = from_local_text(options.default_extension);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    // Each dialog starts where it ended the last time, also in an earlier run.
    const QString title = from_local_text(options.title);
    const QString remembered = last_folder(title);
    dialog.setDirectory(!remembered.isEmpty() && QDir(remembered).exists() ? remembered
                        : last_folder_.isEmpty()                           ? QDir::currentPath()
                                                                           : last_folder_);
    if (!options.initial_name.empty()) dialog.selectFile(from_local_text(options.initial_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    // The next dialog starts where this one ended; the working directory stays where the program
    // started, so that relative names keep meaning what they meant.
    last_folder_ = QFileInfo(chosen).absolutePath();
    remember_folder(title, last_folder_);
    return to_local_text(QDir::toNativeSeparators(chosen));
}

std::optional<std::string> QtHost::open_file_dialog(const FileDialogOptions& options) {
    return file_dialog(options, false);
}

std::optional<std::string> QtHost::save_file_dialog(const FileDialogOptions& options) {
    return file_dialog(options, true);
}

void QtHost::beep(BeepKind) {
    QApplication::beep();
}

void QtHost::set_cursor(Cursor cursor) {
    window_->map_widget()->setCursor(cursor_for(cursor));
}

void QtHost::request_redraw() {
    window_->map_widget()->invalidate();
}

void QtHost::set_status_parts(const std::array<int32_t, 3>& right_edges) {
    window_->set_status_parts(right_edges);
}

void QtHost::set_status_text(int part, std::string_view text) {
    window_->set_status_text(part, from_local_text(text));
}

void QtHost::set_title(std::string_view title) {
    window_->setWindowTitle(from_local_text(title));
}

void QtHost::set_tool_button(int command, bool pressed) {
    window_->set_tool_button(command, pressed);
}

void QtHost::set_scroll_bar(ScrollBar bar, const ScrollBarValues& values) {
    window_->set_scroll_bar(bar, values);
}

std::optional<int> QtHost::popup_menu(int menu, ScreenPoint client_position) {
    QMenu* m = window_->context_menu(menu);
    if (!m) return std::nullopt;
    const QPoint global = window_->client_area()->mapToGlobal(QPoint(client_position.x, client_position.y));
    QAction* chosen = m->exec(global);
    if (!chosen) return std::nullopt;
    return chosen->data().toInt();
}

void QtHost::request_close() {
    // Posted, as a close request is: the command that asked finishes first.
    QTimer::singleShot(0, window_, [w = window_]() { w->close(); });
}

Canvas& QtHost::overlay() {
    return window_->map_widget()->overlay();
}

int QtHost::run_with_progress(const ProgressTask& task, const ProgressOptions& options) {
    MapWidget* map = window_->map_widget();
    const bool was_running = map->task_running();
    map->set_task_running(true);
    const int result = plotwell::qt::run_with_progress(
        window_, task, options.stop, {from_local_text(options.finish_button), options.offer_finish});
    map->set_task_running(was_running);
    // The task may have changed anything the picture shows, and the window may have changed size.
    if (!was_running) window_->relayout();
    map->invalidate();
    return result;
}

std::string QtHost::config_folder() {
    // Beside the desktop settings file, wherever the user's configuration home is.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Plotwell", "plotwell");
    return QFile::encodeName(QFileInfo(settings.fileName()).absolutePath()).toStdString();
}

int QtHost::run_dialog(DialogModel& model) {
    const DialogView* view = views_ ? views_->find(model) : nullptr;
    if (!view) {
        qWarning("No view for the dialog \"%s\"", std::string(model.dialog_title()).c_str());
        return 0;
    }
    return (*view)(owner_for(window_), *this, model);
}

}  // namespace plotwell::qt
