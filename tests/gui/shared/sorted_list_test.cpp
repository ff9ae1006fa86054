// The problem list's order, however the names arrive: one sorted run, a run per extension, or
// no order at all. Whichever way the list sorts them, the result is the plain stable sort by
// list order, and each entry keeps its own bytes.
#include <gtest/gtest.h>

#include <QListWidget>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "gui/list_box.h"
#include "gui/sorted_list_box.h"
#include "gui/text_conversion.h"

namespace {

using Names = std::vector<std::string>;

Names InListOrder(Names names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return quill::ListOrderLess(quill::ToQt(a), quill::ToQt(b));
    });
    return names;
}

Names ListedEntries(const QListWidget& list) {
    Names entries;
    for (int row = 0; row < list.count(); ++row) entries.push_back(quill::ListEntry(list, row));
    return entries;
}

Names ManyNames() {
    Names names;
    for (int page = 0; page < 150; ++page) {
        const std::string number = std::to_string(1000 + page).substr(1);
        names.push_back((page % 3 == 0 ? "P" : "p") + number + (page % 4 == 0 ? ".bod" : ".kif"));
    }
    for (const char* odd : {"第1問.kif", "ａ全角.kif", "_under.kif", "-dash.kif", "p012.KIF",
                            "\xff.kif", "\xfe.kif", "Zeta.bod", "ä.kif", "a.kif"}) {
        names.push_back(odd);
    }
    return names;
}

TEST(SortedListTest, AnyArrivalOrderGivesTheStableSortInListOrder) {
    Names sorted = InListOrder(ManyNames());
    Names twoRuns;  // as the listing hands them over: the kif names, then the bod names
    for (const std::string& name : sorted) {
        if (name.find(".bod") == std::string::npos) twoRuns.push_back(name);
    }
    for (const std::string& name : sorted) {
        if (name.find(".bod") != std::string::npos) twoRuns.push_back(name);
    }
    Names reversed(sorted.rbegin(), sorted.rend());
    Names shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));

    for (const Names& arrival : {sorted, twoRuns, reversed, shuffled}) {
        QListWidget list;
        quill::SortedListBox box(list);
        box.AppendMany(arrival);
        EXPECT_EQ(ListedEntries(list), InListOrder(arrival));
    }
}

TEST(SortedListTest, EntriesAddedLaterGoToTheirPlace) {
    QListWidget list;
    quill::SortedListBox box(list);
    box.AppendMany({"p003.kif", "p001.kif"});
    box.Append("P002.kif");
    box.AppendMany({"a.bod", "\xff.kif"});
    EXPECT_EQ(ListedEntries(list),
              InListOrder({"p003.kif", "p001.kif", "P002.kif", "a.bod", "\xff.kif"}));
    box.Clear();
    EXPECT_EQ(list.count(), 0);
}

}  // namespace
