#include "qt/layer_panel.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "qt/main_window.h"
#include "qt/map_widget.h"
#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
constexpr int kLayerRole = Qt::UserRole;

int layer_of(const QTreeWidgetItem* item) {
    return item ? item->data(LayerPanel::kNameColumn, kLayerRole).toInt() : -2;
}
}  // namespace

LayerPanel::LayerPanel(MainWindow* window, QWidget* parent)
    : QDockWidget(QString::fromLatin1(kTitle), parent), window_(window), tree_(new QTreeWidget(this)) {
    setObjectName("LayerPanel");
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    tree_->setColumnCount(4);
    tree_->setHeaderLabels({"", "Layer", "Theme", "Objects"});
    tree_->setRootIsDecorated(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setFocusPolicy(Qt::NoFocus);  // the keys belong to the map
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);
    setWidget(tree_);
    connect(tree_, &QTreeWidget::itemClicked, this, &LayerPanel::clicked);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &LayerPanel::double_clicked);
    connect(tree_, &QTreeWidget::itemChanged, this, &LayerPanel::changed);
}

void LayerPanel::refresh() {
    if (window_->map_widget()->task_running()) return;  // the project belongs to the task
    const EditorContext& ctx = window_->context();
    std::vector<LayerRow> rows = layer_rows(ctx.project, ctx.editor);
    if (rows == shown_) return;
    filling_ = true;
    if (rows.size() != shown_.size()) {
        tree_->clear();
        for (size_t i = 0; i < rows.size(); ++i) tree_->addTopLevelItem(new QTreeWidgetItem());
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const LayerRow& r = rows[i];
        QTreeWidgetItem* item = tree_->topLevelItem(int(i));
        item->setData(kNameColumn, kLayerRole, r.layer);
        item->setText(kNameColumn, r.layer < 0 ? from_local_text(r.name)
                                               : QString::number(r.layer) + ": " + from_local_text(r.name));
        item->setText(kThemeColumn, QString::fromLatin1(r.theme));
        item->setText(kCountColumn, QString::number(r.count));
        item->setTextAlignment(kCountColumn, Qt::AlignRight | Qt::AlignVCenter);
        // The background has no display flag to switch.
        if (r.layer >= 0) item->setCheckState(kShownColumn, r.shown ? Qt::Checked : Qt::Unchecked);
        QFont font = item->font(kNameColumn);
        font.setBold(r.current);
        for (int c = 0; c < tree_->columnCount(); ++c) item->setFont(c, font);
        if (r.current) tree_->setCurrentItem(item);
    }
    shown_ = std::move(rows);
    filling_ = false;
}

void LayerPanel::clicked(QTreeWidgetItem* item, int column) {
    // A click on the check box only switches the flag.
    if (column == kShownColumn && layer_of(item) >= 0) return;
    const int layer = layer_of(item);
    if (layer < -1) return;
    window_->forward([layer](EditorContext& ctx) { make_layer_current(ctx, layer); });
    refresh();
}

void LayerPanel::double_clicked(QTreeWidgetItem* item, int column) {
    const int layer = layer_of(item);
    if (layer < 0 || column == kShownColumn) return;
    window_->forward([layer](EditorContext& ctx) { edit_layer(ctx, layer); });
    refresh();
}

void LayerPanel::changed(QTreeWidgetItem* item, int column) {
    if (filling_ || column != kShownColumn) return;
    const int layer = layer_of(item);
    if (layer < 0) return;
    const bool shown = item->checkState(kShownColumn) == Qt::Checked;
    window_->forward([layer, shown](EditorContext& ctx) { set_layer_shown(ctx, layer, shown); });
    refresh();
}

}  // namespace plotwell::qt
