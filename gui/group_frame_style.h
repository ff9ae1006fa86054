#pragma once

#include <QProxyStyle>

namespace quill {

// Draws the frame of a group box as an etched line, as the windows are designed, instead of from
// the image the Fusion style uses. Reading that image made Qt load every image-format plugin it
// has, and the libraries behind them, before the main window could first be shown.
class GroupFrameStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace quill
