#include "gui/cycle_bars.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/text_conversion.h"
#include "support/modConst.h"

namespace quill {
namespace {

// The designed lengths, in logical pixels.
constexpr int kText = 10;
constexpr int kLine = 14;  // a line of text
constexpr int kLeft = 30;  // the scale's numbers
constexpr int kPad = 6;
constexpr int kWidestPitch = 48;
constexpr int kNarrowestPitch = 14;
constexpr int kHatch = 5;  // between the hatching's lines

int Total(const studyLog::CycleBar& bar) { return bar.solved + bar.failed + bar.gaveUp; }

// The step of the scale's marks: 1, 2 or 5 times a power of ten, at most five marks.
int TickStep(int top) {
    for (int power = 1;; power *= 10) {
        for (int step : {power, 2 * power, 5 * power}) {
            if (top / step <= 5) return step;
        }
        if (power > 100'000'000) return power;
    }
}

}  // namespace

CycleBars::CycleBars(QWidget* parent) : ChartWidget(parent) {
    setAccessibleName(ToQt(modConst::kProgressCyclesName));
}

void CycleBars::SetBars(std::vector<studyLog::CycleBar> bars) {
    bars_ = std::move(bars);
    DataChanged();
}

QColor CycleBars::SolvedColour() { return QColor(0x2b, 0x7b, 0xba); }
QColor CycleBars::FailedColour() { return QColor(0xe0, 0x82, 0x14); }
QColor CycleBars::GaveUpColour() { return QColor(0x8c, 0x8c, 0x8c); }

QString CycleBars::CycleText(int cycle) {
    return ToQt(modConst::kResultsCyclePrefix) + QString::number(cycle) +
           ToQt(modConst::kResultsCycleSuffix);
}

QString CycleBars::PercentText(double percent) {
    return QString::number(static_cast<int>(std::lround(percent))) + QLatin1Char('%');
}

QString CycleBars::ItemText(int item) const {
    if (item < 0 || item >= ItemCount()) return QString();
    const studyLog::CycleBar& bar = bars_[static_cast<std::size_t>(item)];
    const QString gap = ToQt(modConst::kProgressGap);
    const auto count = [](std::string_view label, const QString& value) {
        return ToQt(label) + QLatin1Char(' ') + value;
    };
    QString text = CycleText(bar.cycle) + gap +
                   count(modConst::kOutcomeSolved, QString::number(bar.solved)) + gap +
                   count(modConst::kOutcomeFailed, QString::number(bar.failed)) + gap +
                   count(modConst::kOutcomeGaveUp, QString::number(bar.gaveUp));
    if (bar.successPercent) {
        text += gap + count(modConst::kProgressSuccessRate, PercentText(*bar.successPercent));
    }
    text += gap + QString::number(bar.attempts) + ToQt(modConst::kProgressAttemptsSuffix);
    if (bar.seconds) text += gap + DurationLabel(*bar.seconds);
    return text;
}

QList<QStringList> CycleBars::TableRows() const {
    QList<QStringList> rows;
    rows << QStringList{ToQt(modConst::kResultsCycle),        ToQt(modConst::kOutcomeSolved),
                        ToQt(modConst::kOutcomeFailed),       ToQt(modConst::kOutcomeGaveUp),
                        ToQt(modConst::kProgressSuccessRate), ToQt(modConst::kProgressAttempts),
                        ToQt(modConst::kProgressTime)};
    for (const studyLog::CycleBar& bar : bars_) {
        rows << QStringList{CycleText(bar.cycle),
                            QString::number(bar.solved),
                            QString::number(bar.failed),
                            QString::number(bar.gaveUp),
                            bar.successPercent ? PercentText(*bar.successPercent) : QString(),
                            QString::number(bar.attempts),
                            bar.seconds ? DurationLabel(*bar.seconds) : QString()};
    }
    return rows;
}

QSize CycleBars::sizeHint() const {
    const int bars = std::max(3, ItemCount());
    return QSize(std::max(kLeft + kPad + bars * kWidestPitch, LegendWidth()), 220);
}

int CycleBars::LegendWidth() const {
    const QFontMetrics metrics(Font(kText));
    int width = kLeft + kPad;
    for (std::string_view label :
         {modConst::kOutcomeSolved, modConst::kOutcomeFailed, modConst::kOutcomeGaveUp}) {
        width += 10 + 3 + metrics.horizontalAdvance(ToQt(label)) + 10;
    }
    return width;
}

QSize CycleBars::minimumSizeHint() const {
    return QSize(std::max(kLeft + kPad + std::max(1, ItemCount()) * kNarrowestPitch, LegendWidth()),
                 140);
}

int CycleBars::Plot::Y(int count) const {
    return area.bottom() + 1 -
           static_cast<int>(std::lround(static_cast<double>(area.height()) * count / scaleMax));
}

CycleBars::Plot CycleBars::PlotOf(const ChartPixels& at) const {
    Plot plot;
    // The legend's line and the rates' line above, the cycles' line below.
    const int top = at.Px(kPad + kLine + kLine);
    const int bottom = at.Px(height() - kPad - kLine);
    const int left = at.Px(kLeft);
    const int right = at.Px(width() - kPad);
    plot.area = QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
    const int count = std::max(1, ItemCount());
    plot.pitch =
        std::clamp(plot.area.width() / count, at.Px(kNarrowestPitch) / 2, at.Px(kWidestPitch));
    plot.bar = std::max(1, plot.pitch * 3 / 5);
    int highest = 1;
    for (const studyLog::CycleBar& bar : bars_) highest = std::max(highest, Total(bar));
    plot.tickStep = TickStep(highest);
    plot.scaleMax = (highest + plot.tickStep - 1) / plot.tickStep * plot.tickStep;
    return plot;
}

QRect CycleBars::ItemPixels(int item, const ChartPixels& at) const {
    const Plot plot = PlotOf(at);
    const int left = plot.area.left() + item * plot.pitch + (plot.pitch - plot.bar) / 2;
    return QRect(left, plot.area.top() - at.Px(kLine), plot.bar,
                 plot.area.height() + at.Px(kLine) * 2);
}

void CycleBars::DrawPart(QPainter& painter, const ChartPixels& at, const QRect& rect,
                         Part part) const {
    if (rect.height() <= 0) return;
    switch (part) {
        case Part::kSolved:
            painter.fillRect(rect, SolvedColour());
            break;
        case Part::kFailed: {
            painter.fillRect(rect, FailedColour().lighter(150));
            painter.save();
            painter.setClipRect(rect);
            painter.setPen(QPen(FailedColour().darker(130), at.Line()));
            const int step = at.Px(kHatch);
            for (int x = rect.left() - rect.height(); x < rect.right() + 1; x += step) {
                painter.drawLine(x, rect.bottom() + 1, x + rect.height() + 1, rect.top());
            }
            painter.restore();
            DrawFrame(painter, rect, at.Line(), FailedColour().darker(130));
            break;
        }
        case Part::kGaveUp:
            DrawFrame(painter, rect, at.Line(), GaveUpColour());
            break;
    }
}

void CycleBars::DrawLegend(QPainter& painter, const ChartPixels& at) const {
    const QFontMetrics metrics(painter.font());
    int x = at.Px(kLeft);
    const int top = at.Px(kPad);
    const int swatch = at.Px(10);
    const std::pair<Part, std::string_view> parts[] = {{Part::kSolved, modConst::kOutcomeSolved},
                                                       {Part::kFailed, modConst::kOutcomeFailed},
                                                       {Part::kGaveUp, modConst::kOutcomeGaveUp}};
    for (const auto& [part, label] : parts) {
        DrawPart(painter, at, QRect(x, top + (at.Px(kLine) - swatch) / 2, swatch, swatch), part);
        x += swatch + at.Px(3);
        const QString words = ToQt(label);
        painter.drawText(QRect(x, top, metrics.horizontalAdvance(words) + at.Px(2), at.Px(kLine)),
                         Qt::AlignLeft | Qt::AlignVCenter, words);
        x += metrics.horizontalAdvance(words) + at.Px(10);
    }
}

void CycleBars::DrawAxis(QPainter& painter, const ChartPixels& at, const Plot& plot) const {
    const int line = at.Line();
    for (int count = 0; count <= plot.scaleMax; count += plot.tickStep) {
        const int y = plot.Y(count);
        painter.fillRect(plot.area.left(), y - line, plot.area.width(), line,
                         count == 0 ? Ink() : Faint());
        painter.drawText(
            QRect(0, y - at.Px(kLine) / 2 - line, plot.area.left() - at.Px(4), at.Px(kLine)),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(count));
    }
}

void CycleBars::Paint(QPainter& painter, const ChartPixels& at) const {
    painter.setPen(Ink());
    painter.setFont(Font(at.Px(kText)));
    DrawLegend(painter, at);
    const Plot plot = PlotOf(at);
    DrawAxis(painter, at, plot);
    if (bars_.empty()) {
        painter.drawText(plot.area, Qt::AlignCenter, ToQt(modConst::kProgressNoData));
        return;
    }
    const int line = at.Line();
    for (int item = 0; item < ItemCount(); ++item) {
        const studyLog::CycleBar& bar = bars_[static_cast<std::size_t>(item)];
        const QRect slot = ItemPixels(item, at);
        // Each part from the rounded height of the counts below and of its own, so that the
        // parts add up to the bar and every bar keeps to one scale. The axis line stays.
        const int base = plot.Y(0) - line;
        const auto top = [&](int count) { return plot.Y(count) - line; };
        const int solvedTop = top(bar.solved);
        const int failedTop = top(bar.solved + bar.failed);
        const int gaveUpTop = top(Total(bar));
        DrawPart(painter, at, QRect(slot.left(), solvedTop, slot.width(), base - solvedTop),
                 Part::kSolved);
        DrawPart(painter, at, QRect(slot.left(), failedTop, slot.width(), solvedTop - failedTop),
                 Part::kFailed);
        DrawPart(painter, at, QRect(slot.left(), gaveUpTop, slot.width(), failedTop - gaveUpTop),
                 Part::kGaveUp);
        painter.setPen(Ink());
        const int wide = std::max(plot.pitch, at.Px(kWidestPitch));
        const int centre = slot.left() + slot.width() / 2;
        if (bar.successPercent) {
            painter.drawText(QRect(centre - wide / 2, gaveUpTop - at.Px(kLine), wide, at.Px(kLine)),
                             Qt::AlignHCenter | Qt::AlignBottom, PercentText(*bar.successPercent));
        }
        painter.drawText(
            QRect(centre - wide / 2, plot.area.bottom() + 1, wide, at.Px(kLine)),
            Qt::AlignHCenter | Qt::AlignVCenter,
            plot.pitch >= at.Px(30) ? CycleText(bar.cycle) : QString::number(bar.cycle));
    }
    DrawCurrent(painter, at);
}

}  // namespace quill
