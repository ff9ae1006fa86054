// A list entry's handler runs once for each selection and for each click on the selected entry.
#include <gtest/gtest.h>
#include <QListWidget>
#include <QTest>

#include "gui/entry_selection.h"
#include "main_window_fixture.h"

namespace {

TEST(EntrySelection, RunsOnceForEachSelectionAndEachClickOnTheSelectedEntry) {
    QListWidget list;
    list.addItems({"A", "B", "C"});
    int runs = 0;
    quill::OnEntrySelected(list, [&runs] { ++runs; });
    list.setCurrentRow(0);
    EXPECT_EQ(runs, 1);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    ClickListEntry(list, 1);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(runs, 2);
    ClickListEntry(list, 1);
    EXPECT_EQ(runs, 3);
    list.setCurrentRow(2);
    EXPECT_EQ(runs, 4);
    ClickListEntry(list, 0);
    EXPECT_EQ(runs, 5);
    list.clear();
    EXPECT_EQ(runs, 5);
}

}  // namespace
