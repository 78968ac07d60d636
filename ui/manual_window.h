// SPDX-License-Identifier: GPL-3.0-or-later
// "Korvanta Help": the program's manual in a window of its own, read from the
// program itself (no network, no files beside it). The manual is the README's
// user sections, made when the program is built (ui/make_manual.cmake), with
// its pictures.
//
// Object names: "frmManual", its text "txtManual".
#pragma once

#include <QWidget>

class QTextBrowser;

namespace korvanta {

class ManualWindow final : public QWidget {
    Q_OBJECT
  public:
    // Shows the one manual window, made at the first call, raised and
    // active, on the screen of `near` (when given); returns it.
    static ManualWindow* Show(QWidget* near);
    // The manual's address among the program's resources.
    static QUrl Source();

  private:
    ManualWindow();
    // Draws the pictures no wider than the page.
    void FitPictures();

    QTextBrowser* text_ = nullptr;
};

}  // namespace korvanta
