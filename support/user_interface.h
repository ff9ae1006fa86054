#pragma once

#include <string>
#include <vector>

namespace outside {

// A list box as the support routines fill it: remove all items, append one at the end.
// The windows implement it over their own list controls.
class ListBox {
  public:
    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    virtual void Append(const std::string& item) = 0;
    // Appends the items in order; a list may do it faster than one by one.
    virtual void AppendMany(const std::vector<std::string>& items) {
        for (const std::string& item : items) Append(item);
    }
};

// The message box service: a modal message box with an OK button only, no icon, and the program's
// title as its title. It also takes the reasons the system gave for a failure that a message has
// told the user of, for whoever looks at the program's log (a terminal, a debugger); the message
// stays as it is.
class MessageService {
  public:
    virtual ~MessageService() = default;
    virtual void Show(const std::string& text) = 0;
    virtual void LogWarning(const std::string& text) = 0;
};

}  // namespace outside
