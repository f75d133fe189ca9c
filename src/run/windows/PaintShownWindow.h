#pragma once

class QWidget;

namespace vellomar {

// Paints a window just shown before the caller keeps the thread busy: a
// window manager maps and exposes a new window only after a round trip, and
// a window not yet exposed draws nothing. Waits a short bounded while for the
// exposure, handling no input meanwhile, then paints the window at once and
// hands the picture to the window system. Pending events, input included,
// are handled once on the way, so the other windows repaint too.
void PaintShownWindow(QWidget& window);

}  // namespace vellomar
