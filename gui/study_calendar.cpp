#include "gui/study_calendar.h"

#include <QPainter>
#include <algorithm>

#include "gui/text_conversion.h"
#include "support/modConst.h"
#include "support/study_day.h"
#include "support/study_log/history_line.h"

namespace quill {
namespace {

// The designed lengths, in logical pixels.
constexpr int kCell = 11;
constexpr int kPitch = 13;  // a cell and the gap after it
constexpr int kLeft = 20;   // the weekdays' column
constexpr int kTop = 16;    // the months' line
constexpr int kText = 10;
constexpr int kLegendGap = 8;
constexpr int kLegendHeight = 14;
constexpr int kPad = 4;

// One character of a text of whole characters, such as the weekdays.
QString CharacterOf(std::string_view text, int index) { return ToQt(text).mid(index, 1); }

}  // namespace

StudyCalendar::StudyCalendar(QWidget* parent) : ChartWidget(parent) {
    setAccessibleName(ToQt(modConst::kProgressCalendarName));
}

void StudyCalendar::SetDays(studyLog::CalendarDays days) {
    days_ = std::move(days);
    DataChanged();
}

int StudyCalendar::ItemOfDay(int day) const {
    const int item = day - days_.firstDay;
    return item >= 0 && item < ItemCount() ? item : -1;
}

QColor StudyCalendar::ShadeColour(int step) {
    // One hue, lighter to darker, that reads without telling red from green.
    static const QColor kShades[studyLog::kShadeSteps] = {
        QColor(0xb4, 0xb4, 0xb4), QColor(0xb3, 0xd3, 0xea), QColor(0x6b, 0xae, 0xd6),
        QColor(0x2b, 0x7b, 0xba), QColor(0x08, 0x30, 0x6b)};
    return kShades[std::clamp(step, 0, studyLog::kShadeSteps - 1)];
}

QString StudyCalendar::DateText(int day) {
    const studyDay::Date date = studyDay::DateOf(day);
    return QString::number(date.year) + ToQt(modConst::kProgressYear) +
           QString::number(date.month) + ToQt(modConst::kProgressMonth) +
           QString::number(date.day) + ToQt(modConst::kProgressDays) + QStringLiteral("（") +
           CharacterOf(modConst::kProgressWeekdays, studyDay::Weekday(day)) + QStringLiteral("）");
}

QString StudyCalendar::ItemText(int item) const {
    if (item < 0 || item >= ItemCount()) return QString();
    const studyLog::DayTotals& day = days_.days[static_cast<std::size_t>(item)];
    const QString gap = ToQt(modConst::kProgressGap);
    QString text = DateText(day.day) + gap + QString::number(day.attempts) +
                   ToQt(modConst::kProgressAttemptsSuffix);
    if (day.attempts == 0) return text;
    const auto count = [](std::string_view label, int value) {
        return ToQt(label) + QLatin1Char(' ') + QString::number(value);
    };
    text += gap + count(modConst::kOutcomeSolved, day.solved) + gap +
            count(modConst::kOutcomeFailed, day.failed) + gap +
            count(modConst::kOutcomeGaveUp, day.gaveUp);
    if (day.timedAttempts > 0) text += gap + DurationLabel(day.seconds);
    return text;
}

QList<QStringList> StudyCalendar::TableRows() const {
    QList<QStringList> rows;
    rows << QStringList{ToQt(modConst::kProgressDate),  ToQt(modConst::kProgressAttempts),
                        ToQt(modConst::kOutcomeSolved), ToQt(modConst::kOutcomeFailed),
                        ToQt(modConst::kOutcomeGaveUp), ToQt(modConst::kProgressTime)};
    for (const studyLog::DayTotals& day : days_.days) {
        if (day.attempts == 0) continue;
        rows << QStringList{DateText(day.day),
                            QString::number(day.attempts),
                            QString::number(day.solved),
                            QString::number(day.failed),
                            QString::number(day.gaveUp),
                            day.timedAttempts > 0 ? DurationLabel(day.seconds) : QString()};
    }
    return rows;
}

QSize StudyCalendar::sizeHint() const {
    return QSize(kLeft + studyLog::kCalendarWeeks * kPitch + kPad,
                 kTop + 7 * kPitch + kLegendGap + kLegendHeight + kPad);
}

QRect StudyCalendar::ItemPixels(int item, const ChartPixels& at) const {
    const int offset = item;  // firstDay is a Monday
    const int week = offset / 7;
    const int weekday = offset % 7;
    // Each place rounded from the designed one, so that the weeks end where the widget does at
    // any scale; every cell the same size.
    return QRect(at.Px(kLeft + week * kPitch), at.Px(kTop + weekday * kPitch), at.Px(kCell),
                 at.Px(kCell));
}

int StudyCalendar::ItemAfterKey(int from, int key) const {
    switch (key) {
        case Qt::Key_Up:
            return from - 1;
        case Qt::Key_Down:
            return from + 1;
        case Qt::Key_Left:
            return from - 7 >= 0 ? from - 7 : from;
        case Qt::Key_Right:
            return from + 7 < ItemCount() ? from + 7 : from;
        default:
            return ChartWidget::ItemAfterKey(from, key);
    }
}

void StudyCalendar::Paint(QPainter& painter, const ChartPixels& at) const {
    const int line = at.Line();
    painter.setPen(Ink());
    painter.setFont(Font(at.Px(kText)));
    // Monday, Wednesday and Friday named at the side.
    for (int weekday = 0; weekday < 7; weekday += 2) {
        if (weekday == 6) break;
        const QRect cell = ItemPixels(weekday, at);
        painter.drawText(
            QRect(0, cell.top() - at.Px(2), at.Px(kLeft - 4), cell.height() + at.Px(4)),
            Qt::AlignRight | Qt::AlignVCenter, CharacterOf(modConst::kProgressWeekdays, weekday));
    }
    DrawMonths(painter, at);
    for (int item = 0; item < ItemCount(); ++item) {
        const QRect cell = ItemPixels(item, at);
        const int step = studyLog::ShadeStep(days_.days[static_cast<std::size_t>(item)].attempts);
        if (step == 0) {
            DrawFrame(painter, cell, line, ShadeColour(0));
        } else {
            painter.fillRect(cell, ShadeColour(step));
        }
    }
    // Today outlined in the text colour inside its cell, its shade within a ring of the
    // background, so that the outline shows on the darkest shade too.
    if (ItemCount() > 0) {
        const QRect today = ItemPixels(ItemCount() - 1, at);
        const int frame = at.Line(2);
        const int ring = frame + at.Line();
        const int step = studyLog::ShadeStep(days_.days.back().attempts);
        painter.fillRect(today, Background());
        DrawFrame(painter, today, frame, Ink());
        if (step > 0) painter.fillRect(today.adjusted(ring, ring, -ring, -ring), ShadeColour(step));
    }
    DrawCurrent(painter, at);
    DrawLegend(painter, at);
}

void StudyCalendar::DrawMonths(QPainter& painter, const ChartPixels& at) const {
    // A month is named above the first week whose Monday is in it; the first week too when the
    // next name is far enough away.
    int lastMonth = 0;
    int lastWeek = -10;
    for (int week = 0; week * 7 < ItemCount(); ++week) {
        const studyDay::Date monday = studyDay::DateOf(DayOfItem(week * 7));
        if (monday.month == lastMonth) continue;
        lastMonth = monday.month;
        if (week == 0 && monday.day > 7 * 2) continue;  // the month's name comes too soon
        if (week - lastWeek < 3) continue;
        lastWeek = week;
        const QRect cell = ItemPixels(week * 7, at);
        const QString name = QString::number(monday.month) + ToQt(modConst::kProgressMonth);
        if (cell.left() + painter.fontMetrics().horizontalAdvance(name) > at.Px(width())) break;
        painter.drawText(QRect(cell.left(), 0, at.Px(kPitch * 4), at.Px(kTop - 2)),
                         Qt::AlignLeft | Qt::AlignBottom, name);
    }
}

void StudyCalendar::DrawLegend(QPainter& painter, const ChartPixels& at) const {
    // "回数 □0 ■1〜4 ■5〜9 ■10〜19 ■20〜"
    const int top = at.Px(kTop + 7 * kPitch + kLegendGap);
    const int height = at.Px(kLegendHeight);
    const QFontMetrics metrics(painter.font());
    int x = at.Px(kLeft);
    const auto text = [&](const QString& words) {
        const int width = metrics.horizontalAdvance(words);
        painter.drawText(QRect(x, top, width + at.Px(2), height), Qt::AlignLeft | Qt::AlignVCenter,
                         words);
        x += width + at.Px(6);
    };
    text(ToQt(modConst::kProgressAttempts));
    for (int step = 0; step < studyLog::kShadeSteps; ++step) {
        const QRect swatch(x, top + (height - at.Px(kCell)) / 2, at.Px(kCell), at.Px(kCell));
        if (step == 0) {
            DrawFrame(painter, swatch, at.Line(), ShadeColour(0));
        } else {
            painter.fillRect(swatch, ShadeColour(step));
        }
        x += swatch.width() + at.Px(3);
        QString range = QString::number(studyLog::kShadeFloors[step]);
        if (step + 1 < studyLog::kShadeSteps) {
            const int last = studyLog::kShadeFloors[step + 1] - 1;
            if (last != studyLog::kShadeFloors[step]) {
                range += ToQt(modConst::kProgressRange) + QString::number(last);
            }
        } else {
            range += ToQt(modConst::kProgressRange);
        }
        text(range);
    }
}

}  // namespace quill
