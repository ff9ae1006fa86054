#include "main_window/results/book_records.h"

#include <QListWidget>

#include "gui/list_box.h"
#include "gui/sorted_list_box.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace results {

std::vector<std::string> BookRecords(const std::string& bookFolder) {
    modFunc::NameArray names;
    modFunc::ListFilesByExtensions(bookFolder, std::string(modConst::kProblemExtensions), names);
    // A list never shown, filled as the problem list is, so that the order is the same.
    QListWidget list;
    quill::SortedListBox box(list);
    modFunc::FillListFromArray(names, box);
    std::vector<std::string> records;
    records.reserve(static_cast<std::size_t>(list.count()));
    for (int row = 0; row < list.count(); ++row) records.push_back(quill::ListEntry(list, row));
    return records;
}

}  // namespace results
