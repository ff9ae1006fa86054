#pragma once

#include <QtCore/qnamespace.h>
#include <QString>
#include <string>
#include <vector>

#include "platform/user_interface.h"

class QApplication;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QWidget;

// What both windows share of Qt: text conversion at the window boundary, the message box and
// list box services the support routines call, and the application's fonts.
namespace quill {

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// Fonts, the message box service and the application's name. Called once, before any window.
void SetUpApplication(QApplication& app);

// The windows' two Japanese gothics. A form file holds whole point sizes only, and sizes such as
// 9.75 points are part of the design, so the controls drawn in these faces get them from code.
enum class Gothic { Fixed, Proportional };
// The family `face` is drawn with: the designed one where installed, else an installed gothic
// that draws the same characters.
QString GothicFamily(Gothic face);
void SetGothicFont(QWidget& control, Gothic face, double points, bool bold = false);

// The window title: application title, ".exe ", version.
QString MainWindowTitle();

// A modal message box with OK only, no icon, the application title as its title. Line breaks
// given as CR LF show as one break.
class QtMessageBox : public platform::MessageBox {
  public:
    void Show(const std::string& text) override;
};

// A list box over a QListWidget. Appending to a sorting list keeps its order.
class ListWidgetBox : public platform::ListBox {
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

// A path box shows its path as text. A stored path that the text cannot carry (one that is not
// valid UTF-8) shows with U+FFFD for the bad bytes and keeps its own bytes in the box; they are
// the box's path for as long as it shows that text unchanged, so the path reaches the command
// line and the settings file byte for byte.
void SetPathText(QLineEdit& box, const std::string& path);
std::string PathText(const QLineEdit& box);

}  // namespace quill
