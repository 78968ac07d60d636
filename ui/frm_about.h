// SPDX-License-Identifier: GPL-3.0-or-later
// The about box, shown modal from the Help menu of either main window.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace korvanta {

class LinkLabel;

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    LinkLabel* lblHomePage = nullptr;
    QLabel* Label3 = nullptr;
    LinkLabel* lblCoBrand = nullptr;
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;
    // The licence and the credit the atlas's place data ask for, beside cmdOK.
    QLabel* lblCredits = nullptr;
};

}  // namespace korvanta
