#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "support/user_interface.h"

// A list that keeps its entries in the alphabetical order a desktop list box uses: by the
// user's locale and without regard to case, so P012.kif stands between p011.kif and p013.kif.
// Entries keep that order however they are added.
namespace quill {

// Compares two entries in list order: true when `a` comes before `b`.
bool ListOrderLess(const QString& a, const QString& b);
// `names` in the order a sorted list shows them, equal ones in the order given: the order of the
// problem list, for what shows a book's records without it.
std::vector<std::string> InListOrder(const std::vector<std::string>& names);

// The list box service over a sorted QListWidget. Each entry goes in at its place in the order.
class SortedListBox : public outside::ListBox {
  public:
    explicit SortedListBox(QListWidget& list) : list_(list) {}
    void Clear() override;
    void Append(const std::string& item) override;
    // Appends many entries at once: sorted together and inserted in one step, which keeps a book
    // of thousands of records quick to list.
    void AppendMany(const std::vector<std::string>& items) override;

  private:
    QListWidget& list_;
};

}  // namespace quill
