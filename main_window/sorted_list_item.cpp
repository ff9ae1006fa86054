#include "main_window/sorted_list_item.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <algorithm>

#include "main_window/qt_services.h"

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

}  // namespace

bool ListOrderLess(const QString& a, const QString& b) {
    const int order = ListCollator().compare(a, b);
    // Entries equal but for case still get a fixed order.
    return order != 0 ? order < 0 : a < b;
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
    struct Keyed {
        QString text;
        QCollatorSortKey key;
        const std::string* item;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (const std::string& item : items) {
        QString text = ToQt(item);
        QCollatorSortKey key = ListCollator().sortKey(text);
        keyed.push_back({std::move(text), std::move(key), &item});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.text < b.text;
    });
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(keyed.size()));
    for (const Keyed& k : keyed) texts.push_back(k.text);
    list_.addItems(texts);
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        KeepEntryBytes(*list_.item(static_cast<int>(i)), *keyed[i].item);
    }
}

}  // namespace quill
