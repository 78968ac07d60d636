// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu that the birth-data window and the result frame share.
#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace korvanta {

// Appends "&Help" to `bar`: "Korvanta &Help" (F1) opens the manual; the web
// pages open the manual where their address is not set. The separators carry the given object names (each
// window names them its own way); "&About Software" shows the about box modal
// over `owner`.
QMenu* AddHelpMenu(QMenuBar* bar, QWidget* owner, const char* firstSeparatorName,
                   const char* secondSeparatorName);

}  // namespace korvanta
