#include "gui/chart_widget.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "gui/text_conversion.h"
#include "support/study_log/history_line.h"

namespace quill {

int ChartPixels::Px(double length) const { return static_cast<int>(std::lround(length * scale)); }

int ChartPixels::Line(double length) const { return std::max(1, Px(length)); }

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void ChartWidget::PaintTo(QPaintDevice& device) const {
    QPainter painter(&device);
    // Drawn in device pixels: every length is rounded to whole pixels once.
    ChartPixels at;
    at.scale = device.devicePixelRatioF();
    painter.scale(1 / at.scale, 1 / at.scale);
    painter.fillRect(QRect(0, 0, at.Px(width()), at.Px(height())), Background());
    Paint(painter, at);
}

void ChartWidget::paintEvent(QPaintEvent*) { PaintTo(*this); }

QRect ChartWidget::ItemRect(int item) const {
    ChartPixels at;
    at.scale = devicePixelRatioF();
    const QRect pixels = ItemPixels(item, at);
    const auto logical = [&](int length) {
        return static_cast<int>(std::floor(length / at.scale));
    };
    return QRect(QPoint(logical(pixels.left()), logical(pixels.top())),
                 QPoint(logical(pixels.right()), logical(pixels.bottom())));
}

void ChartWidget::SetCurrentItem(int item) {
    const int count = ItemCount();
    const int next = count == 0 ? -1 : std::clamp(item, 0, count - 1);
    if (next == current_) return;
    current_ = next;
    setAccessibleDescription(current_ >= 0 ? ItemText(current_) : QString());
    if (hasFocus() && current_ >= 0) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
        const QRect place = ItemRect(current_);
        QToolTip::showText(mapToGlobal(place.bottomRight()), ItemText(current_), this, place);
    }
    update();
    emit currentItemChanged(current_);
}

int ChartWidget::ItemAfterKey(int from, int key) const {
    switch (key) {
        case Qt::Key_Left:
            return from - 1;
        case Qt::Key_Right:
            return from + 1;
        case Qt::Key_Home:
            return 0;
        case Qt::Key_End:
            return ItemCount() - 1;
        default:
            return from;
    }
}

int ChartWidget::DefaultItem() const { return ItemCount() > 0 ? 0 : -1; }

void ChartWidget::DataChanged() {
    const int count = ItemCount();
    if (current_ >= count || current_ < 0) {
        current_ = -1;
        SetCurrentItem(DefaultItem());
    } else {
        setAccessibleDescription(ItemText(current_));
    }
    updateGeometry();
    update();
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
    if (ItemCount() == 0) return QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (current_ >= 0) emit itemChosen(current_);
        return;
    }
    const int next = ItemAfterKey(current_, event->key());
    if (next == current_) return QWidget::keyPressEvent(event);
    SetCurrentItem(next);
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    const int item = ItemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || item < 0) return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    SetCurrentItem(item);
    emit itemChosen(item);
}

void ChartWidget::focusInEvent(QFocusEvent* event) {
    if (current_ < 0) SetCurrentItem(DefaultItem());
    update();
    QWidget::focusInEvent(event);
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

bool ChartWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int item = ItemAt(help->pos());
        if (item >= 0) {
            QToolTip::showText(help->globalPos(), ItemText(item), this, ItemRect(item));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

int ChartWidget::ItemAt(const QPoint& point) const {
    for (int item = 0; item < ItemCount(); ++item) {
        if (ItemRect(item).contains(point)) return item;
    }
    return -1;
}

QColor ChartWidget::Ink() const { return palette().color(QPalette::WindowText); }

QColor ChartWidget::Faint() const {
    const QColor ink = Ink();
    const QColor back = Background();
    const auto mix = [](int a, int b) { return (a + 3 * b) / 4; };
    return QColor(mix(ink.red(), back.red()), mix(ink.green(), back.green()),
                  mix(ink.blue(), back.blue()));
}

QColor ChartWidget::Background() const { return palette().color(QPalette::Window); }

QFont ChartWidget::Font(int pixels) const {
    QFont text = font();
    text.setPixelSize(std::max(1, pixels));
    return text;
}

void ChartWidget::DrawFrame(QPainter& painter, const QRect& rect, int width, const QColor& colour) {
    painter.fillRect(rect.left(), rect.top(), rect.width(), width, colour);
    painter.fillRect(rect.left(), rect.bottom() + 1 - width, rect.width(), width, colour);
    painter.fillRect(rect.left(), rect.top(), width, rect.height(), colour);
    painter.fillRect(rect.right() + 1 - width, rect.top(), width, rect.height(), colour);
}

void ChartWidget::DrawCurrent(QPainter& painter, const ChartPixels& at) const {
    if (!hasFocus() || current_ < 0) return;
    const int width = at.Line(2);
    DrawFrame(painter, ItemPixels(current_, at).adjusted(-width, -width, width, width), width,
              palette().color(QPalette::Highlight));
}

QString DurationLabel(std::int64_t seconds) { return ToQt(studyLog::DurationText(seconds)); }

}  // namespace quill
