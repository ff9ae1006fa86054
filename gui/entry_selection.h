#pragma once

#include <functional>

class QListWidget;

namespace quill {

// Runs `handler` whenever an entry of `list` is selected, from code or by the user, and also when
// the user clicks the entry that is already selected: a list box tells its owner of every click,
// so clicking the current book again lists its records afresh. Clearing a list selects nothing
// and runs nothing. The handler runs once per selection or click, never twice.
void OnEntrySelected(QListWidget& list, std::function<void()> handler);

}  // namespace quill
