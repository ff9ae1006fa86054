#include "gui/sorted_list_box.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>
#include <cstddef>
#include <vector>

#include "gui/list_box.h"
#include "gui/text_conversion.h"

namespace quill {
namespace {

// The user's locale; a machine set to the bare C locale gets English rules, so that case is
// still folded and the order is the one people expect.
const QCollator& ListCollator() {
    static const QCollator collator = [] {
        QLocale locale = QLocale::system();
        if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

struct Entry {
    QString text;
    const std::string* bytes;
};

// Sorts by collation keys, which costs a key per entry but only cheap comparisons after.
void SortByKeys(std::vector<Entry>& entries) {
    struct Keyed {
        QCollatorSortKey key;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(entries.size());
    for (Entry& entry : entries) {
        QCollatorSortKey key = ListCollator().sortKey(entry.text);
        keyed.push_back({std::move(key), std::move(entry)});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.entry.text < b.entry.text;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) entries[i] = std::move(keyed[i].entry);
}

// Names come from the folder listing mostly in list order already, in one sorted run per
// extension, so the runs are found and merged at about two comparisons a name. A list of many
// runs is sorted by keys instead. Either way equal entries keep the order they came in.
void SortInListOrder(std::vector<Entry>& entries) {
    constexpr std::size_t kMostRunsToMerge = 16;
    const auto less = [](const Entry& a, const Entry& b) { return ListOrderLess(a.text, b.text); };
    std::vector<std::size_t> bounds{0};
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (!less(entries[i], entries[i - 1])) continue;
        if (bounds.size() == kMostRunsToMerge) {
            SortByKeys(entries);
            return;
        }
        bounds.push_back(i);
    }
    bounds.push_back(entries.size());
    while (bounds.size() > 2) {
        std::vector<std::size_t> merged;
        const std::size_t runs = bounds.size() - 1;
        for (std::size_t k = 0; k < runs; k += 2) {
            merged.push_back(bounds[k]);
            if (k + 1 < runs) {
                std::inplace_merge(entries.begin() + static_cast<std::ptrdiff_t>(bounds[k]),
                                   entries.begin() + static_cast<std::ptrdiff_t>(bounds[k + 1]),
                                   entries.begin() + static_cast<std::ptrdiff_t>(bounds[k + 2]),
                                   less);
            }
        }
        merged.push_back(entries.size());
        bounds = std::move(merged);
    }
}

}  // namespace

bool ListOrderLess(const QString& a, const QString& b) {
    const int order = ListCollator().compare(a, b);
    // Entries equal but for case still get a fixed order.
    return order != 0 ? order < 0 : a < b;
}

std::vector<std::string> InListOrder(const std::vector<std::string>& names) {
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (const std::string& name : names) entries.push_back({ToQt(name), &name});
    SortInListOrder(entries);
    std::vector<std::string> ordered;
    ordered.reserve(names.size());
    for (const Entry& entry : entries) ordered.push_back(*entry.bytes);
    return ordered;
}

void SortedListBox::Clear() { list_.clear(); }

void SortedListBox::Append(const std::string& item) {
    const QString text = ToQt(item);
    int low = 0;
    int high = list_.count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (ListOrderLess(text, list_.item(middle)->text())) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    auto* entry = new QListWidgetItem(text);
    KeepEntryBytes(*entry, item);
    list_.insertItem(low, entry);
}

void SortedListBox::AppendMany(const std::vector<std::string>& items) {
    if (list_.count() > 0) {
        for (const std::string& item : items) Append(item);
        return;
    }
    std::vector<Entry> entries;
    entries.reserve(items.size());
    for (const std::string& item : items) entries.push_back({ToQt(item), &item});
    SortInListOrder(entries);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const Entry& entry : entries) texts.push_back(entry.text);
    list_.addItems(texts);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        KeepEntryBytes(*list_.item(static_cast<int>(i)), *entries[i].bytes);
    }
}

}  // namespace quill
