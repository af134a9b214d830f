// The full-screen distribution view: a borderless, always-on-top window over the primary
// screen showing a darkened snapshot of the desktop with the click grid's colours laid over it.
// The label in the bottom-right corner gives the count of the cell under the pointer, or the
// total of the cells a rectangle dragged with the left button touches. Any key, or a press of
// any other button, closes it.
#pragma once

#include "Controls_win.h"
#include "Form_win.h"
#include "Freqmap.h"
#include "FullscreenMath.h"

#include <string>

namespace kurvix {

class TFullScreenFM : public ui::Form {
  public:
    TFullScreenFM();

    ui::Image FullScreenIM;
    ui::Label FreqLB;

  private:
    void FormShow();
    void FormKeyDown(uint16_t& key, ui::ShiftState shift);
    void FullScreenIMMouseDown(ui::MouseButton button, int x, int y);
    void FullScreenIMMouseMove(int x, int y);
    void FullScreenIMMouseUp(int x, int y);
    // The label passes its mouse events on to the picture beneath it.
    POINT LabelPointInImage(int x, int y) const;
    void PlaceLabel();
    // Draws the selection's focus rectangle; drawn a second time, it is gone.
    void DrawSelectionOutline();
    void ShowNumber(const std::string& text);
    // Redraws this part of the picture (image client pixels) and the label over it.
    void RepaintPicture(const RECT& area);

    TFrequencyMapper mapper_;
    ::kurvix::Selection Selection;
    bool Selecting = false;
    POINT pointer_{-1, -1}; // the latest pointer position reported to the picture
};

extern TFullScreenFM* FullScreenFM;

} // namespace kurvix
