#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <cstdint>

class QPainter;
class QPaintDevice;

namespace quill {

// Lengths of a chart in device pixels: each designed length rounded once at the scale painted
// at, so that lines and cells fall on whole pixels at 100 %, 150 % and 200 %.
struct ChartPixels {
    qreal scale = 1;
    int Px(double length) const;
    // At least one device pixel.
    int Line(double length = 1) const;
};

// What the charts of progress share: they paint plain data into any device (the widget, or an
// image in a test), in the system palette's text colour, with a current item that the arrow keys
// move and that the pointer rests on or clicks (Enter or a click chooses it), told in a tooltip,
// in the accessible description and by the signals; and their figures as rows of text.
class ChartWidget : public QWidget {
    Q_OBJECT

  public:
    explicit ChartWidget(QWidget* parent = nullptr);

    // Paints the chart at the widget's size into `device`, at the device's pixel ratio.
    void PaintTo(QPaintDevice& device) const;

    // The figures drawn, as a table: the first row names the columns.
    virtual QList<QStringList> TableRows() const = 0;

    int itemCount() const { return ItemCount(); }
    int currentItem() const { return current_; }
    // Makes `item` current (kept within the items), says it, and tells currentItemChanged.
    void SetCurrentItem(int item);
    // What the chart says of an item: its figures in words.
    virtual QString ItemText(int item) const = 0;
    // Where an item is drawn, in the widget's own (logical) coordinates.
    QRect ItemRect(int item) const;

  signals:
    void currentItemChanged(int item);
    void itemChosen(int item);

  protected:
    virtual int ItemCount() const = 0;
    // Where an item is drawn, in device pixels.
    virtual QRect ItemPixels(int item, const ChartPixels& at) const = 0;
    // The item a key moves to from `from`; `from` itself when the key moves none.
    virtual int ItemAfterKey(int from, int key) const;
    // Draws everything, the painter already in device pixels.
    virtual void Paint(QPainter& painter, const ChartPixels& at) const = 0;
    // The item the chart makes current when it has none.
    virtual int DefaultItem() const;
    // Called after the data changed: keeps the current item within the items, and repaints.
    void DataChanged();

    // The palette's colours for text and the lines of axes, and the background.
    QColor Ink() const;
    QColor Faint() const;
    QColor Background() const;
    // The widget's font at `pixels` device pixels.
    QFont Font(int pixels) const;
    // A frame of `width` device pixels inside `rect`.
    static void DrawFrame(QPainter& painter, const QRect& rect, int width, const QColor& colour);
    // The current item's frame, when the chart has the focus.
    void DrawCurrent(QPainter& painter, const ChartPixels& at) const;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int ItemAt(const QPoint& point) const;

    int current_ = -1;
};

// "45秒", "3分12秒", as the preview writes a time.
QString DurationLabel(std::int64_t seconds);

}  // namespace quill
