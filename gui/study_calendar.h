#pragma once

#include "gui/chart_widget.h"
#include "support/study_log/study_progress.h"

namespace quill {

// The calendar of study days: the last 53 weeks as columns, Monday on top, the months named
// above, each day shaded by its number of attempts in one hue (a day without attempts drawn
// hollow), today outlined, and a legend of the shades below. An item is a day, counted from the
// first day shown; the arrow keys move by a day (up and down) and by a week (left and right).
class StudyCalendar : public ChartWidget {
    Q_OBJECT

  public:
    explicit StudyCalendar(QWidget* parent = nullptr);

    void SetDays(studyLog::CalendarDays days);
    const studyLog::CalendarDays& days() const { return days_; }
    // The study day of an item, and back (-1 for a day not shown).
    int DayOfItem(int item) const { return days_.firstDay + item; }
    int ItemOfDay(int day) const;

    // The colour of a shading step; step 0 is the hollow day's frame.
    static QColor ShadeColour(int step);
    // "2026年12月8日（火）".
    static QString DateText(int day);

    QString ItemText(int item) const override;
    // The days with attempts: date, attempts, solved, failed, gave up, time.
    QList<QStringList> TableRows() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    int ItemCount() const override { return static_cast<int>(days_.days.size()); }
    QRect ItemPixels(int item, const ChartPixels& at) const override;
    int ItemAfterKey(int from, int key) const override;
    int DefaultItem() const override { return ItemCount() - 1; }
    void Paint(QPainter& painter, const ChartPixels& at) const override;

  private:
    void DrawMonths(QPainter& painter, const ChartPixels& at) const;
    void DrawLegend(QPainter& painter, const ChartPixels& at) const;

    studyLog::CalendarDays days_;
};

}  // namespace quill
