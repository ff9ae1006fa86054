#pragma once

#include <vector>

#include "gui/chart_widget.h"
#include "support/study_log/study_progress.h"

namespace quill {

// One bar per cycle of a book: its records solved (solid), failed (hatched) and given up
// (hollow), stacked from the axis in that order, each the height of its count, with the cycle's
// success rate written over the bar and its number under it. An item is a cycle's bar.
class CycleBars : public ChartWidget {
    Q_OBJECT

  public:
    explicit CycleBars(QWidget* parent = nullptr);

    void SetBars(std::vector<studyLog::CycleBar> bars);
    const std::vector<studyLog::CycleBar>& bars() const { return bars_; }

    static QColor SolvedColour();
    static QColor FailedColour();
    static QColor GaveUpColour();
    // "第2周", "85%".
    static QString CycleText(int cycle);
    static QString PercentText(double percent);

    QString ItemText(int item) const override;
    // Each cycle: cycle, solved, failed, gave up, success rate, attempts, time.
    QList<QStringList> TableRows() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    int ItemCount() const override { return static_cast<int>(bars_.size()); }
    QRect ItemPixels(int item, const ChartPixels& at) const override;
    void Paint(QPainter& painter, const ChartPixels& at) const override;

  private:
    // Where the bars stand, in device pixels.
    struct Plot {
        QRect area;        // from the highest count on the scale down to the axis
        int pitch = 0;     // one bar and the space beside it
        int bar = 0;       // a bar's width
        int scaleMax = 1;  // the count at the top of the scale
        int tickStep = 1;
        int Y(int count) const;
    };
    Plot PlotOf(const ChartPixels& at) const;
    // The legend's width in logical pixels.
    int LegendWidth() const;
    void DrawLegend(QPainter& painter, const ChartPixels& at) const;
    void DrawAxis(QPainter& painter, const ChartPixels& at, const Plot& plot) const;
    // A stacked part: solid, hatched or hollow.
    enum class Part { kSolved, kFailed, kGaveUp };
    void DrawPart(QPainter& painter, const ChartPixels& at, const QRect& rect, Part part) const;

    std::vector<studyLog::CycleBar> bars_;
};

}  // namespace quill
