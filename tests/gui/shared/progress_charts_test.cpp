#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cstdio>

#include "common/accessible_name.h"
#include "gui/cycle_bars.h"
#include "gui/solving_times_chart.h"
#include "gui/study_calendar.h"
#include "support/study_day.h"

namespace {

using studyLog::KeptAttempt;
using studyLog::Outcome;

const int kToday = studyDay::DayNumber({2026, 12, 9});

KeptAttempt On(int day, std::optional<std::int64_t> seconds = std::nullopt) {
    const studyDay::Date date = studyDay::DateOf(day);
    char marked[32];
    std::snprintf(marked, sizeof marked, "%04d-%02d-%02dT10:00:00", date.year, date.month,
                  date.day);
    return {"book", "p1.kif", marked, Outcome::kSolved, seconds};
}

// The chart painted into an image at `scale`.
QImage Rendered(const quill::ChartWidget& chart, qreal scale) {
    QImage image(chart.size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    chart.PaintTo(image);
    return image;
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// How many pixels of `colour` the column `x` of `image` holds.
int Height(const QImage& image, int x, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) count += image.pixelColor(x, y) == colour;
    return count;
}

void ShowFocused(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    widget.setFocus();
}

TEST(ProgressChartsTest, TheCalendarOutlinesTodayAndTellsAnEmptyDayFromOneAttempt) {
    std::vector<KeptAttempt> attempts(25, On(kToday, 30));
    attempts.push_back(On(kToday - 3, 60));
    quill::StudyCalendar calendar;
    calendar.resize(calendar.sizeHint());
    calendar.SetDays(studyLog::CalendarOf(attempts, kToday));
    const QColor ink = calendar.palette().color(QPalette::WindowText);
    const QColor back = calendar.palette().color(QPalette::Window);
    const int today = calendar.ItemOfDay(kToday);
    for (qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const QImage image = Rendered(calendar, scale);
        const auto corner = [&](int item) { return calendar.ItemRect(item).topLeft() * scale; };
        const auto centre = [&](int item) { return calendar.ItemRect(item).center() * scale; };
        EXPECT_EQ(At(image, corner(today).x() + 1, corner(today).y() + 1), ink);
        EXPECT_EQ(image.pixelColor(centre(today)), quill::StudyCalendar::ShadeColour(4));
        const int empty = calendar.ItemOfDay(kToday - 2);
        const int one = calendar.ItemOfDay(kToday - 3);
        EXPECT_EQ(image.pixelColor(corner(empty)), quill::StudyCalendar::ShadeColour(0));
        EXPECT_EQ(image.pixelColor(centre(empty)), back);
        EXPECT_EQ(image.pixelColor(corner(one)), quill::StudyCalendar::ShadeColour(1));
        EXPECT_EQ(image.pixelColor(centre(one)), quill::StudyCalendar::ShadeColour(1));
    }
    EXPECT_EQ(calendar.TableRows().size(), 3);  // the names of the columns, two days

    // The arrow keys move through the days, Enter chooses one; each is said.
    ShowFocused(calendar);
    QSignalSpy chosen(&calendar, &quill::ChartWidget::itemChosen);
    EXPECT_EQ(calendar.currentItem(), today);
    for (int i = 0; i < 3; ++i) QTest::keyClick(calendar.windowHandle(), Qt::Key_Up);
    QTest::keyClick(calendar.windowHandle(), Qt::Key_Left);
    QTest::keyClick(calendar.windowHandle(), Qt::Key_Right);
    QTest::keyClick(calendar.windowHandle(), Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(calendar.DayOfItem(chosen[0][0].toInt()), kToday - 3);
    EXPECT_EQ(
        calendar.accessibleDescription(),
        QStringLiteral("2026年12月6日（日）　1回　解けた 1　解けなかった 0　やめた 0　1分0秒"));
    EXPECT_EQ(testing_support::AccessibleName(&calendar), QStringLiteral("学習の記録（日ごと）"));
}

TEST(ProgressChartsTest, CycleBarsStandInProportionToTheirCounts) {
    quill::CycleBars bars;
    bars.resize(300, 240);
    bars.SetBars(
        studyLog::CycleBarsOf({{1, "", 30, 10, 15, 5, 40, 900}, {2, "", 30, 20, 0, 0, 25, {}}}));
    for (qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const QImage image = Rendered(bars, scale);
        const int first =
            Height(image, bars.ItemRect(0).center().x() * scale, quill::CycleBars::SolvedColour());
        const int second =
            Height(image, bars.ItemRect(1).center().x() * scale, quill::CycleBars::SolvedColour());
        EXPECT_GT(first, 10 * scale);
        EXPECT_NEAR(second, 2 * first, 1);
    }
    EXPECT_EQ(bars.TableRows().at(1).join(u'|'), QStringLiteral("第1周|10|15|5|33%|40|15分0秒"));
    EXPECT_EQ(bars.TableRows().at(2).at(4), QStringLiteral("100%"));
    ShowFocused(bars);
    QTest::keyClick(bars.windowHandle(), Qt::Key_Right);
    EXPECT_EQ(bars.currentItem(), 1);
    EXPECT_TRUE(bars.accessibleDescription().startsWith(QStringLiteral("第2周　解けた 20")));
}

TEST(ProgressChartsTest, SolvingTimesDrawTheTimedAndCountTheRest) {
    std::vector<KeptAttempt> attempts = {On(kToday, 60), On(kToday, 120), On(kToday)};
    attempts[1].record = "p2.kif";
    quill::SolvingTimesChart chart;
    chart.resize(400, 300);
    chart.SetTimes(
        studyLog::SolvingTimesOf("book", {{"p1.kif", 3}, {"p2.kif", 5}, {"p3.kif", 3}}, attempts));
    for (qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const QImage image = Rendered(chart, scale);
        // The dot of each record, the slower higher; the top of a dot from the bottom of its
        // column.
        const auto top = [&](int item) {
            const QRect column = chart.ItemRect(item);
            const int x = static_cast<int>(column.center().x() * scale);
            for (int y = 0; y < image.height(); ++y) {
                if (image.pixelColor(x, y) == quill::SolvingTimesChart::PointColour()) return y;
            }
            return -1;
        };
        ASSERT_GT(top(0), 0);
        ASSERT_GT(top(1), 0);
        EXPECT_LT(top(1), top(0));
    }
    EXPECT_EQ(chart.itemCount(), 4);  // two records, two numbers of moves
    EXPECT_EQ(chart.UntimedText(), QStringLiteral("時間のない解けた挑戦 1回　時間のない棋譜 1"));
}

// The scale of times writes its marks as times are written, never "90秒" beside "2分".
TEST(SolvingTimesChartTest, TheScaleWritesTimesAsTimesAreWritten) {
    EXPECT_EQ(quill::SolvingTimesChart::ScaleText(0), QStringLiteral("0"));
    EXPECT_EQ(quill::SolvingTimesChart::ScaleText(30), QStringLiteral("30秒"));
    EXPECT_EQ(quill::SolvingTimesChart::ScaleText(90), QStringLiteral("1分30秒"));
    EXPECT_EQ(quill::SolvingTimesChart::ScaleText(120), QStringLiteral("2分"));
    EXPECT_EQ(quill::SolvingTimesChart::ScaleText(3660), QStringLiteral("1時間1分"));
}

}  // namespace
