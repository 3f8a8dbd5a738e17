#pragma once
// The font a window draws its text with, as a font object (what WM_GETFONT answers).

#include <zelmtools/platform/base/win_types.h>

class QWidget;

namespace zelm::framework {

// A font object for the widget's font, made once per distinct font and kept for the
// life of the process (windows hand it out without giving up ownership); null without
// a widget.
HFONT FontOfWidget(const QWidget* widget);

}  // namespace zelm::framework
