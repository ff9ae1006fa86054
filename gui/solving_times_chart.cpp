#include "gui/solving_times_chart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/text_conversion.h"
#include "support/modConst.h"

namespace quill {
namespace {

// The designed lengths, in logical pixels.
constexpr int kText = 10;
constexpr int kLine = 14;
constexpr int kLeft = 52;  // the scale's times
constexpr int kPad = 6;
constexpr int kWidestPitch = 48;
constexpr int kDot = 3;   // the latest time's radius
constexpr int kRing = 2;  // an earlier time's radius

// A step of the scale of times that gives at most five marks.
std::int64_t TimeStep(std::int64_t top) {
    static constexpr std::int64_t kSteps[] = {5,   10,   15,   30,   60,    120,   300,   600,
                                              900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    for (std::int64_t step : kSteps) {
        if (top / step <= 5) return step;
    }
    std::int64_t step = 86400;
    while (top / step > 5) step *= 2;
    return step;
}

std::int64_t RoundUp(std::int64_t value, std::int64_t step) {
    return std::max<std::int64_t>(step, (value + step - 1) / step * step);
}

}  // namespace

SolvingTimesChart::SolvingTimesChart(QWidget* parent) : ChartWidget(parent) {
    setAccessibleName(ToQt(modConst::kProgressTimesName));
}

void SolvingTimesChart::SetTimes(studyLog::SolvingTimes times) {
    times_ = std::move(times);
    // Found once here, as every place of an item is measured from them.
    slowest_ = 1;
    for (const studyLog::RecordTimes& record : times_.records) {
        slowest_ =
            std::max(slowest_, *std::max_element(record.seconds.begin(), record.seconds.end()));
    }
    longestMedian_ = 1;
    for (const studyLog::MovesMedian& median : times_.byMoves) {
        longestMedian_ = std::max(longestMedian_, median.medianSeconds);
    }
    DataChanged();
}

QColor SolvingTimesChart::PointColour() { return QColor(0x2b, 0x7b, 0xba); }

int SolvingTimesChart::ItemCount() const {
    return static_cast<int>(times_.records.size() + times_.byMoves.size());
}

const studyLog::RecordTimes* SolvingTimesChart::RecordOfItem(int item) const {
    if (item < 0 || item >= static_cast<int>(times_.records.size())) return nullptr;
    return &times_.records[static_cast<std::size_t>(item)];
}

QString SolvingTimesChart::UntimedText() const {
    QStringList parts;
    if (times_.untimedSolved > 0) {
        parts << ToQt(modConst::kProgressUntimedPrefix) + QString::number(times_.untimedSolved) +
                     ToQt(modConst::kProgressAttemptsSuffix);
    }
    if (times_.recordsWithoutTime > 0) {
        parts << ToQt(modConst::kProgressNoTimePrefix) + QString::number(times_.recordsWithoutTime);
    }
    return parts.join(ToQt(modConst::kProgressGap));
}

QString SolvingTimesChart::ScaleText(std::int64_t seconds) {
    if (seconds == 0) return QStringLiteral("0");
    // Written as the times themselves are ("1分30秒"), so that no scale mixes "90秒" with "2分".
    QString text;
    if (seconds >= 3600) text = QString::number(seconds / 3600) + ToQt(modConst::kDurationHours);
    if (seconds % 3600 >= 60) {
        text += QString::number(seconds % 3600 / 60) + ToQt(modConst::kDurationMinutes);
    }
    if (seconds % 60 != 0) text += QString::number(seconds % 60) + ToQt(modConst::kDurationSeconds);
    return text;
}

QString SolvingTimesChart::ItemText(int item) const {
    const QString gap = ToQt(modConst::kProgressGap);
    const QString moves = ToQt(modConst::kProgressMovesSuffix);
    if (const studyLog::RecordTimes* record = RecordOfItem(item)) {
        QString text = ToQt(record->record);
        if (record->moves > 0) text += gap + QString::number(record->moves) + moves;
        text += gap + ToQt(modConst::kProgressLatest) + QLatin1Char(' ') +
                DurationLabel(record->latest());
        if (record->seconds.size() > 1) {
            const auto fastest = *std::min_element(record->seconds.begin(), record->seconds.end());
            text += gap + ToQt(modConst::kHistoryBest) + DurationLabel(fastest) + gap +
                    QString::number(record->seconds.size()) +
                    ToQt(modConst::kProgressAttemptsSuffix);
        }
        return text;
    }
    const int group = item - static_cast<int>(times_.records.size());
    if (group < 0 || group >= static_cast<int>(times_.byMoves.size())) return QString();
    const studyLog::MovesMedian& median = times_.byMoves[static_cast<std::size_t>(group)];
    return QString::number(median.moves) + moves + gap + ToQt(modConst::kProgressMedian) +
           QLatin1Char(' ') + DurationLabel(median.medianSeconds) + gap +
           QString::number(median.attempts) + ToQt(modConst::kProgressAttemptsSuffix);
}

QList<QStringList> SolvingTimesChart::TableRows() const {
    QList<QStringList> rows;
    rows << QStringList{ToQt(modConst::kResultsRecord), ToQt(modConst::kProgressMoves),
                        ToQt(modConst::kProgressLatest), ToQt(modConst::kProgressTime)};
    for (const studyLog::RecordTimes& record : times_.records) {
        QStringList all;
        for (std::int64_t seconds : record.seconds) all << DurationLabel(seconds);
        rows << QStringList{ToQt(record.record),
                            record.moves > 0 ? QString::number(record.moves) : QString(),
                            DurationLabel(record.latest()), all.join(QStringLiteral("、"))};
    }
    for (const studyLog::MovesMedian& median : times_.byMoves) {
        rows << QStringList{
            QString(), QString::number(median.moves),
            ToQt(modConst::kProgressMedian) + QLatin1Char(' ') +
                DurationLabel(median.medianSeconds),
            QString::number(median.attempts) + ToQt(modConst::kProgressAttemptsSuffix)};
    }
    return rows;
}

QSize SolvingTimesChart::sizeHint() const { return QSize(480, 320); }

int SolvingTimesChart::Layout::RecordX(int index) const {
    return points.left() +
           static_cast<int>((static_cast<std::int64_t>(index) * recordPitch + recordPitch / 2) /
                            1024);
}

SolvingTimesChart::Layout SolvingTimesChart::LayoutOf(const ChartPixels& at) const {
    Layout layout;
    const int left = at.Px(kLeft);
    const int right = at.Px(width() - kPad);
    const int line = at.Px(kLine);
    // Title, points, (axis), title, medians, moves' line, the untimed line.
    const int top = at.Px(kPad) + line;
    const int bottom = at.Px(height() - kPad) - 2 * line;
    const int between = 2 * line + line / 2;  // the points' axis, then the medians' title
    const int free = std::max(2, bottom - top - between);
    const int pointsHeight = free * 3 / 5;
    layout.points = QRect(left, top + at.Px(kDot), std::max(1, right - left),
                          std::max(1, pointsHeight - at.Px(kDot)));
    const int mediansTop = top + pointsHeight + between;
    layout.medians =
        QRect(left, mediansTop, std::max(1, right - left), std::max(1, bottom - mediansTop));
    layout.pointsStep = TimeStep(slowest_);
    layout.pointsMax = RoundUp(slowest_, layout.pointsStep);
    layout.mediansStep = TimeStep(longestMedian_);
    layout.mediansMax = RoundUp(longestMedian_, layout.mediansStep);
    const int records = std::max<int>(1, static_cast<int>(times_.records.size()));
    layout.recordPitch = static_cast<int>(
        std::min<std::int64_t>(static_cast<std::int64_t>(layout.points.width()) * 1024 / records,
                               static_cast<std::int64_t>(at.Px(kWidestPitch)) * 1024));
    const int groups = std::max<int>(1, static_cast<int>(times_.byMoves.size()));
    layout.medianPitch = std::clamp(layout.medians.width() / groups, 1, at.Px(kWidestPitch));
    layout.medianBar = std::max(1, layout.medianPitch * 3 / 5);
    return layout;
}

int SolvingTimesChart::Y(const QRect& area, std::int64_t seconds, std::int64_t max) {
    return area.bottom() + 1 -
           static_cast<int>(std::llround(static_cast<double>(area.height()) *
                                         static_cast<double>(std::min(seconds, max)) /
                                         static_cast<double>(max)));
}

QRect SolvingTimesChart::ItemPixels(int item, const ChartPixels& at) const {
    const Layout layout = LayoutOf(at);
    const int records = static_cast<int>(times_.records.size());
    if (item < records) {
        const int x = layout.RecordX(item);
        const int half = std::max(at.Px(kDot) + at.Line(), layout.recordPitch / 2048);
        return QRect(x - half, layout.points.top() - at.Px(kDot), 2 * half + 1,
                     layout.points.height() + at.Px(kDot));
    }
    const int group = item - records;
    const int left = layout.medians.left() + group * layout.medianPitch +
                     (layout.medianPitch - layout.medianBar) / 2;
    return QRect(left, layout.medians.top(), layout.medianBar, layout.medians.height());
}

void SolvingTimesChart::DrawScale(QPainter& painter, const ChartPixels& at, const QRect& area,
                                  std::int64_t max, std::int64_t step) const {
    const int line = at.Line();
    for (std::int64_t seconds = 0; seconds <= max; seconds += step) {
        const int y = Y(area, seconds, max);
        painter.fillRect(area.left(), y - line, area.width(), line, seconds == 0 ? Ink() : Faint());
        painter.drawText(
            QRect(0, y - at.Px(kLine) / 2 - line, area.left() - at.Px(4), at.Px(kLine)),
            Qt::AlignRight | Qt::AlignVCenter, ScaleText(seconds));
    }
}

void SolvingTimesChart::DrawPoints(QPainter& painter, const ChartPixels& at,
                                   const Layout& layout) const {
    const QRect& area = layout.points;
    const int line = at.Line();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int dot = at.Px(kDot);
    const int ring = at.Px(kRing);
    for (std::size_t i = 0; i < times_.records.size(); ++i) {
        const studyLog::RecordTimes& record = times_.records[i];
        const int x = layout.RecordX(static_cast<int>(i));
        painter.setPen(QPen(PointColour(), line));
        painter.setBrush(Qt::NoBrush);
        for (std::size_t k = 0; k + 1 < record.seconds.size(); ++k) {
            painter.drawEllipse(QPoint(x, Y(area, record.seconds[k], layout.pointsMax) - line),
                                ring, ring);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(PointColour());
        painter.drawEllipse(QPoint(x, Y(area, record.latest(), layout.pointsMax) - line), dot, dot);
    }
    painter.restore();
    // The slowest named beside their latest time, on the side with room.
    painter.setPen(Ink());
    const QFontMetrics metrics(painter.font());
    for (std::size_t index : times_.slowest) {
        const studyLog::RecordTimes& record = times_.records[index];
        const int x = layout.RecordX(static_cast<int>(index));
        const int y = Y(area, record.latest(), layout.pointsMax) - line;
        const QString name = ToQt(record.record);
        const int width = metrics.horizontalAdvance(name) + at.Px(2);
        const bool right = x + dot + at.Px(3) + width <= area.right();
        const int left = right ? x + dot + at.Px(3) : x - dot - at.Px(3) - width;
        const int top = std::max(0, y - at.Px(kLine) / 2);
        // On the background, so that the name reads over the other records' times.
        const QRect place(left, top, width, at.Px(kLine));
        painter.fillRect(place, Background());
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, name);
    }
}

void SolvingTimesChart::DrawMedians(QPainter& painter, const ChartPixels& at,
                                    const Layout& layout) const {
    const int line = at.Line();
    const int records = static_cast<int>(times_.records.size());
    for (std::size_t group = 0; group < times_.byMoves.size(); ++group) {
        const studyLog::MovesMedian& median = times_.byMoves[group];
        const QRect slot = ItemPixels(records + static_cast<int>(group), at);
        const int base = Y(layout.medians, 0, layout.mediansMax) - line;
        const int top = Y(layout.medians, median.medianSeconds, layout.mediansMax) - line;
        painter.fillRect(QRect(slot.left(), top, slot.width(), base - top), PointColour());
        const int wide = std::max(layout.medianPitch, at.Px(kWidestPitch));
        const int centre = slot.left() + slot.width() / 2;
        painter.drawText(QRect(centre - wide / 2, top - at.Px(kLine), wide, at.Px(kLine)),
                         Qt::AlignHCenter | Qt::AlignBottom, DurationLabel(median.medianSeconds));
        painter.drawText(QRect(centre - wide / 2, layout.medians.bottom() + 1, wide, at.Px(kLine)),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QString::number(median.moves) + ToQt(modConst::kProgressMovesSuffix));
    }
}

void SolvingTimesChart::Paint(QPainter& painter, const ChartPixels& at) const {
    painter.setPen(Ink());
    painter.setFont(Font(at.Px(kText)));
    const Layout layout = LayoutOf(at);
    const int line = at.Px(kLine);
    painter.drawText(QRect(layout.points.left(), at.Px(kPad), layout.points.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, ToQt(modConst::kProgressByRecord));
    DrawScale(painter, at, layout.points, layout.pointsMax, layout.pointsStep);
    if (times_.records.empty()) {
        painter.drawText(layout.points, Qt::AlignCenter, ToQt(modConst::kProgressNoData));
    }
    DrawPoints(painter, at, layout);
    painter.drawText(
        QRect(layout.medians.left(), layout.medians.top() - 2 * line, layout.medians.width(), line),
        Qt::AlignLeft | Qt::AlignVCenter, ToQt(modConst::kProgressByMoves));
    DrawScale(painter, at, layout.medians, layout.mediansMax, layout.mediansStep);
    DrawMedians(painter, at, layout);
    painter.drawText(QRect(layout.medians.left(), layout.medians.bottom() + 1 + line,
                           layout.medians.width(), line),
                     Qt::AlignLeft | Qt::AlignVCenter, UntimedText());
    DrawCurrent(painter, at);
}

}  // namespace quill
