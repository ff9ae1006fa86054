#include "gui/group_frame_style.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace quill {

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the title, where Fusion puts it; a dark line with a light one inside
    // and below it makes the etched edge.
    constexpr int kTopMargin = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    int top = kTopMargin;
    if (box == nullptr || box->isCheckable() || !box->title().isEmpty()) {
        top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                        option->fontMetrics.height());
    }
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    painter->save();
    painter->setPen(option->palette.color(QPalette::Dark));
    painter->drawRect(frame.adjusted(0, 0, -2, -2));
    painter->setPen(option->palette.color(QPalette::Light));
    painter->drawRect(frame.adjusted(1, 1, -1, -1));
    painter->restore();
}

}  // namespace quill
