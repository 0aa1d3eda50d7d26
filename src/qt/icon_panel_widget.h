// The icon panel of "Simple Point Object" as a widget: the 22 point icons on light grey with the
// selected cell framed; a left click picks the icon under it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "dialogs/icon_panel.h"

namespace plotwell::qt {

class IconPanelWidget : public QWidget {
    Q_OBJECT
  public:
    // A left press at panel pixel (x, y); true when the selection changed.
    using Click = std::function<bool(int x, int y)>;

    // `panel` holds the selection and must outlive the widget; `click` (the panel's own when empty)
    // handles a left press, so that a dialog model can take it.
    IconPanelWidget(IconPanel& panel, Click click = {}, QWidget* parent = nullptr);

    // The panel as it is painted: the icons and the frame on light grey.
    QImage picture() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    IconPanel& panel_;
    Click click_;
};

}  // namespace plotwell::qt
