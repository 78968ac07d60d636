// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frame_layout.h"

#include <algorithm>

namespace korvanta {

FrameButtonPlaces PlaceFrameButtons(int frameWidth, int exitWidth, int rightGap, int buttonGap) {
    FrameButtonPlaces places;
    places.cmdExitLeft = frameWidth - exitWidth - rightGap;
    places.cmdBackLeft = places.cmdExitLeft - exitWidth - buttonGap;
    return places;
}

int LinkWidthBeforeButtons(int left, int designWidth, int backLeft, int gap) {
    return std::min(designWidth, backLeft - gap - left);
}

int CentredLeft(int areaWidth, int childWidth) {
    return std::max(0, (areaWidth - childWidth) / 2);
}

}  // namespace korvanta
