#include "controls/round_btn.h"

namespace controls {

void RoundBtn::SelectButton(bool Selected) {
    if (Selected) selected();
    selected_ = Selected;
    changed();
}

}  // namespace controls
