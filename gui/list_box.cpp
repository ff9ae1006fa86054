#include "gui/list_box.h"

#include <QByteArray>
#include <QListWidget>
#include <QStringList>
#include <QVariant>
#include <algorithm>

#include "gui/text_conversion.h"

namespace quill {

void ListWidgetBox::Clear() { list_.clear(); }

void ListWidgetBox::Append(const std::string& item) {
    auto* entry = new QListWidgetItem(ToQt(item));
    KeepEntryBytes(*entry, item);
    list_.addItem(entry);
}

void ListWidgetBox::AppendMany(const std::vector<std::string>& items) {
    const int first = list_.count();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) texts.push_back(ToQt(item));
    list_.addItems(texts);
    for (std::size_t i = 0; i < items.size(); ++i) {
        KeepEntryBytes(*list_.item(first + static_cast<int>(i)), items[i]);
    }
}

void KeepEntryBytes(QListWidgetItem& item, const std::string& entry) {
    const bool ascii = std::all_of(entry.begin(), entry.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || FromQt(item.text()) == entry) return;
    item.setData(kEntryBytesRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
}

std::string ListEntry(const QListWidget& list, int index) {
    if (index < 0 || index >= list.count()) return {};
    const QListWidgetItem& item = *list.item(index);
    const QVariant bytes = item.data(kEntryBytesRole);
    if (bytes.isValid()) return bytes.toByteArray().toStdString();
    return FromQt(item.text());
}

std::string SelectedEntry(const QListWidget& list) { return ListEntry(list, list.currentRow()); }

}  // namespace quill
