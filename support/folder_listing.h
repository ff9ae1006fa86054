#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/user_interface.h"

// The lists of books and records, filled from their folders.
namespace modFunc {

// A list of file names indexed from 0 whose element 0 is always the empty string.
using NameArray = std::vector<std::string>;

// The files of `folder` with the extensions of `extensions` ("kif;bod"), into `names` after its
// empty element 0: in the listing's order within an extension and the list's order between
// extensions, from one read of the folder.
void ListFilesByExtensions(const std::string& folder, std::string_view extensions,
                           NameArray& names);
// Empties `list` and appends the subfolders of `folder` (not "." and ".."), in listing order.
void FillFolderList(const std::string& folder, outside::ListBox& list);
// Empties `list` and appends the names of `names` after its element 0.
void FillListFromArray(const NameArray& names, outside::ListBox& list);

}  // namespace modFunc
