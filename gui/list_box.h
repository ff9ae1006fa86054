#pragma once

#include <QtCore/qnamespace.h>
#include <string>
#include <vector>

#include "support/user_interface.h"

class QListWidget;
class QListWidgetItem;

namespace quill {

// A list box over a QListWidget. Appending to a sorting list keeps its order.
class ListWidgetBox : public outside::ListBox {
  public:
    explicit ListWidgetBox(QListWidget& list) : list_(list) {}
    void Clear() override;
    void Append(const std::string& item) override;
    // Inserts the items in one step, which keeps a library of a thousand books quick to list.
    void AppendMany(const std::vector<std::string>& items) override;

  private:
    QListWidget& list_;
};

// A list entry shows its name as text. A name that the text cannot carry (one that is not valid
// UTF-8, which Linux allows) shows with U+FFFD in place of the bad bytes, and its own bytes are
// kept in the item under this role, so that a path built from the entry names the real file.
inline constexpr int kEntryBytesRole = Qt::UserRole;

// Gives `item` the bytes of `entry` when its text cannot carry them.
void KeepEntryBytes(QListWidgetItem& item, const std::string& entry);

// Reads entry `index` of a list, with its own bytes; any index outside the list (such as -1)
// gives the empty text.
std::string ListEntry(const QListWidget& list, int index);
// The selected entry, or the empty text.
std::string SelectedEntry(const QListWidget& list);

}  // namespace quill
