// The layer panel: a dock beside the map with one row per layer (the background first), a check box
// for drawing the layer when it is not current, its theme and object count. It only shows the editor's
// layer_rows and passes clicks to the editor's layer panel functions.
#pragma once

#include <QDockWidget>
#include <vector>

#include "editor/layer_panel.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace plotwell::qt {

class MainWindow;

class LayerPanel : public QDockWidget {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "Layers";
    enum Column { kShownColumn = 0, kNameColumn, kThemeColumn, kCountColumn };

    LayerPanel(MainWindow* window, QWidget* parent);

    // Shows the rows anew when they differ from those shown.
    void refresh();
    QTreeWidget* tree() const { return tree_; }

  private:
    void clicked(QTreeWidgetItem* item, int column);
    void double_clicked(QTreeWidgetItem* item, int column);
    void changed(QTreeWidgetItem* item, int column);

    MainWindow* window_;
    QTreeWidget* tree_;
    std::vector<LayerRow> shown_;
    bool filling_ = false;
};

}  // namespace plotwell::qt
