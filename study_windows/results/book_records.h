#pragma once

#include <string>
#include <vector>

namespace results {

// The records of a book folder, each with its own bytes, in the order the problem list shows
// them: found as browsing finds them and put in the list's order by the list's own ordering.
std::vector<std::string> BookRecords(const std::string& bookFolder);

}  // namespace results
