#pragma once

#include <QString>

class QWidget;

// The windows' fonts: the dialog font of the whole application and two Japanese gothics.
namespace quill {

// The family the application's dialog font is drawn with.
QString DialogFontFamily();

// The windows' two Japanese gothics. A form file holds whole point sizes only, and sizes such as
// 9.75 points are part of the design, so the controls drawn in these faces get them from code.
enum class Gothic { kFixed, kProportional };
// The family `face` is drawn with: the designed one where installed, else an installed gothic
// that draws the same characters.
QString GothicFamily(Gothic face);
void SetGothicFont(QWidget& control, Gothic face, double points, bool bold = false);

}  // namespace quill
