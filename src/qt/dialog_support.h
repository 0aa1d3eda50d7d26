// What every dialog view shares: running modally centred over the owner, the fixed-pitch font of the
// layer lists, labels whose mnemonic focuses their control, the OK/Cancel row, and filling lists and
// combo boxes from the models' text.
#pragma once

#include <QFont>
#include <string>
#include <vector>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QWidget;

namespace plotwell::qt {

// Runs `dialog` modally, centred over `owner` (or the screen without one); 1 when accepted, else 0.
int exec_centred(QDialog& dialog, QWidget* owner);

// Fixed pitch, so that the "%-24s [%s]" columns of the layer lines stay in line. The monospace faces
// of the usual font sets are named first: the desktop's fixed font, last, may be an alias that
// fontconfig resolves to a proportional face.
QFont fixed_pitch_font();

// A label showing `text` (in record text, "&" marking the mnemonic) that gives `control` the focus.
QLabel* buddy_label(const char* text, QWidget* control, QWidget* parent);

// OK and Cancel wired to the dialog's accept() and reject(); OK is the default button.
QDialogButtonBox* ok_cancel_buttons(QDialog* dialog);

// Replaces a list's lines and selects `selected` (none when out of range), without emitting signals.
void fill_list(QListWidget* list, const std::vector<std::string>& lines, int selected);
void fill_combo(QComboBox* combo, const std::vector<std::string>& items, int selected);
// The row a list has selected; -1 for none.
int list_selection(const QListWidget* list);

}  // namespace plotwell::qt
