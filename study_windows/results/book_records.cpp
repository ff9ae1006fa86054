#include "study_windows/results/book_records.h"

#include "gui/sorted_list_box.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace results {

std::vector<std::string> BookRecords(const std::string& bookFolder) {
    modFunc::NameArray names;
    modFunc::ListFilesByExtensions(bookFolder, std::string(modConst::kProblemExtensions), names);
    // The names from the second on, as the problem list is filled with them.
    if (names.size() < 2) return {};
    return quill::InListOrder(modFunc::NameArray(names.begin() + 1, names.end()));
}

}  // namespace results
