// SPDX-License-Identifier: GPL-3.0-or-later
// Where the result frame puts its two buttons and the result window when it
// is resized. Plain pixel arithmetic, Qt-free, so it is tested on its own.
#pragma once

namespace korvanta {

struct FrameButtonPlaces {
    int cmdExitLeft = 0;
    int cmdBackLeft = 0;
};

// cmdExit keeps `rightGap` from the frame's right edge; cmdBack stands
// `buttonGap` to the left of cmdExit. Both buttons are as wide as cmdExit.
FrameButtonPlaces PlaceFrameButtons(int frameWidth, int exitWidth, int rightGap, int buttonGap);

// The width a link starting at `left`, `designWidth` wide at most, may take
// so that it ends `gap` before Back's left edge `backLeft`; below zero when
// Back reaches past its start.
int LinkWidthBeforeButtons(int left, int designWidth, int backLeft, int gap);

// Left edge that centres a child of `childWidth` in `areaWidth`; never left of
// the area, so a narrow frame shows the child's left part rather than cut it.
int CentredLeft(int areaWidth, int childWidth);

}  // namespace korvanta
