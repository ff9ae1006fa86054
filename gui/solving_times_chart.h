#pragma once

#include "gui/chart_widget.h"
#include "support/study_log/study_progress.h"

namespace quill {

// The solving times of a book: above, each record with a solved, timed attempt in the book's
// order, its latest time a filled dot and its earlier ones rings, the slowest few named; below,
// the median time of each number of moves as a bar; under them, how many solved attempts and
// records have no time (counted, not drawn). The items are the records, then the numbers of
// moves.
class SolvingTimesChart : public ChartWidget {
    Q_OBJECT

  public:
    explicit SolvingTimesChart(QWidget* parent = nullptr);

    void SetTimes(studyLog::SolvingTimes times);
    const studyLog::SolvingTimes& times() const { return times_; }

    static QColor PointColour();
    // The record of an item, or nothing for an item of the medians.
    const studyLog::RecordTimes* RecordOfItem(int item) const;
    // "時間のない解けた挑戦 N回　時間のない棋譜 N", empty when every one has a time.
    QString UntimedText() const;
    // A time on the scale: "30秒", "5分", "1時間30分".
    static QString ScaleText(std::int64_t seconds);

    QString ItemText(int item) const override;
    // Each record: record, moves, latest time, every time; then each number of moves: moves, the
    // number of times, their median.
    QList<QStringList> TableRows() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(240, 220); }

  protected:
    int ItemCount() const override;
    QRect ItemPixels(int item, const ChartPixels& at) const override;
    void Paint(QPainter& painter, const ChartPixels& at) const override;

  private:
    struct Layout {
        QRect points;   // the records' times, down to their axis
        QRect medians;  // the medians' bars, down to their axis
        std::int64_t pointsMax = 1, pointsStep = 1;
        std::int64_t mediansMax = 1, mediansStep = 1;
        int recordPitch = 1;  // in 1/1024 of a pixel, as records may be many
        int medianPitch = 1;
        int medianBar = 1;
        int RecordX(int index) const;
    };
    Layout LayoutOf(const ChartPixels& at) const;
    static int Y(const QRect& area, std::int64_t seconds, std::int64_t max);
    void DrawScale(QPainter& painter, const ChartPixels& at, const QRect& area, std::int64_t max,
                   std::int64_t step) const;
    void DrawPoints(QPainter& painter, const ChartPixels& at, const Layout& layout) const;
    void DrawMedians(QPainter& painter, const ChartPixels& at, const Layout& layout) const;

    studyLog::SolvingTimes times_;
    std::int64_t slowest_ = 1;        // the longest time of a record
    std::int64_t longestMedian_ = 1;  // the longest median
};

}  // namespace quill
