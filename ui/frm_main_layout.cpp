// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the controls and menus of the birth-data window and loads its lists.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "pipeline/zones.h"
#include "report/names.h"
#include "ui/elided_label.h"
#include "ui/frm_main.h"
#include "ui/help_menu.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Caption(const char* name, const char* text) {
    return Named(new QLabel(QString::fromLatin1(text)), name);
}

QComboBox* DropDownList(const char* name) {
    auto* list = Named(new QComboBox, name);
    list->setEditable(false);  // only a choice from the list
    return list;
}

QLineEdit* Digits(const char* name, int maxLength) {
    auto* box = Named(new QLineEdit, name);
    box->setMaxLength(maxLength);
    box->setFixedWidth(TwipsX(600));
    return box;
}

void FillNumbers(QComboBox* list, int first, int count) {
    for (int index = 0; index < count; ++index) {
        list->addItem(QString::fromStdString(ListItemText(first, index)));
    }
}

// A place box whose text is wider than the box shows the whole text as its
// tooltip ("National Capital Territory of Delhi").
void TipWhenCut(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        const int room = box->contentsRect().width() -
                         2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        box->setToolTip(box->fontMetrics().horizontalAdvance(text) > room ? text : QString());
    });
}

LinkLabel* Promotion(const QString& text, QWidget* parent, void (*open)(), const char* name) {
    auto* label = Named(new LinkLabel(text, parent, open), name);
    label->setStyleSheet(QStringLiteral("color: #1a4fa0;"));
    return label;
}

}  // namespace

void frmMain::BuildControls() {
    auto* central = new QWidget(this);
    auto* page = new QVBoxLayout(central);

    Label2 = Caption("Label2", "Know your Upapada Lagna with Korvanta");
    Label2->setFont(VerdanaFont(13.0, true));
    page->addWidget(Label2);

    fraPersonal = Named(new QGroupBox(QStringLiteral("Personal Details")), "fraPersonal");
    auto* personal = new QGridLayout(fraPersonal);
    txtName = Named(new QLineEdit, "txtName");
    cboMonth = DropDownList("cboMonth");
    cboDate = DropDownList("cboDate");
    cboYear = DropDownList("cboYear");
    cboHH = DropDownList("cboHH");
    cboMM = DropDownList("cboMM");
    cboSS = DropDownList("cboSS");
    cmdRashi = Named(new QPushButton(QStringLiteral("Get My Upapada Lagna")), "cmdRashi");
    cmdRashi->setDefault(true);
    personal->addWidget(Caption("lblNameCaption", "Name"), 0, 0);
    personal->addWidget(txtName, 0, 1, 1, 4);
    personal->addWidget(Caption("lblDOBCaption", "Date of Birth"), 1, 0);
    personal->addWidget(cboMonth, 1, 1);
    personal->addWidget(cboDate, 1, 2);
    personal->addWidget(cboYear, 1, 3);
    personal->addWidget(Caption("lblTOBCaption", "Time of Birth"), 2, 0);
    personal->addWidget(cboHH, 2, 1);
    personal->addWidget(cboMM, 2, 2);
    personal->addWidget(cboSS, 2, 3);
    personal->addWidget(Caption("lblTimeHint", "HH:MM:SS"), 2, 4);
    personal->addWidget(cmdRashi, 3, 1, 1, 4);

    fraPlace = Named(new QGroupBox(QStringLiteral("Place Details")), "fraPlace");
    auto* place = new QGridLayout(fraPlace);
    txtMCity = Named(new QLineEdit, "txtMCity");
    txtMState = Named(new QLineEdit, "txtMState");
    txtMCountry = Named(new QLineEdit, "txtMCountry");
    // The stored caption doubles the ampersand so that it shows as one.
    cmdBrowser =
        Named(new QPushButton(QStringLiteral("Click for Latitude && Longitude")), "cmdBrowser");
    txtFindPlace = Named(new QLineEdit, "txtFindPlace");
    txtFindPlace->setPlaceholderText(QStringLiteral("Type a city, e.g. Pune"));
    txtFindPlace->setClearButtonEnabled(true);
    place->addWidget(Caption("lblFindPlaceCaption", "Find Place"), 0, 0);
    place->addWidget(txtFindPlace, 0, 1);
    place->addWidget(Caption("lblCityCaption", "City"), 1, 0);
    place->addWidget(txtMCity, 1, 1);
    place->addWidget(Caption("lblStateCaption", "State"), 2, 0);
    place->addWidget(txtMState, 2, 1);
    place->addWidget(Caption("lblCountryCaption", "Country"), 3, 0);
    place->addWidget(txtMCountry, 3, 1);
    place->addWidget(cmdBrowser, 4, 1);
    for (QLineEdit* box : {txtFindPlace, txtMCity, txtMState, txtMCountry}) TipWhenCut(box);

    // The place takes as much room as the person: its names are the longer.
    auto* upper = new QHBoxLayout;
    upper->addWidget(fraPersonal, 1);
    upper->addWidget(fraPlace, 1);
    page->addLayout(upper);

    fraZone = Named(new QGroupBox(QStringLiteral("Zone")), "fraZone");
    auto* zone = new QVBoxLayout(fraZone);
    cmbTimeZone = DropDownList("cmbTimeZone");
    chkDST = Named(new QCheckBox(QStringLiteral("Daylight Saving Time")), "chkDST");
    // Notes from the atlas and the zone check. Each keeps room for two lines
    // whether it speaks or not, so that no control moves under the pointer
    // when a note comes or goes; a longer note ends in "…" with the whole
    // text as its tooltip.
    constexpr int kNoteLines = 2;
    lblZoneNote = Named(new ElidedLabel(QString(), nullptr, kNoteLines), "lblZoneNote");
    lblZoneNote->setStyleSheet(QStringLiteral("color: #3c3c64;"));
    lblZoneCheck = Named(new ElidedLabel(QString(), nullptr, kNoteLines), "lblZoneCheck");
    lblZoneCheck->setStyleSheet(QStringLiteral("color: #a0321e;"));
    zone->addWidget(cmbTimeZone);
    zone->addWidget(chkDST);
    zone->addWidget(lblZoneNote);
    zone->addWidget(lblZoneCheck);

    fraLongitude = Named(new QGroupBox(QStringLiteral("Longitude")), "fraLongitude");
    auto* longitude = new QGridLayout(fraLongitude);
    txtLonD = Digits("txtLonD", kLonDegMaxLength);
    txtLonM = Digits("txtLonM", kLonMinMaxLength);
    optLong = {Named(new QRadioButton(QStringLiteral("East")), "optLong_0"),
               Named(new QRadioButton(QStringLiteral("West")), "optLong_1")};
    longitude->addWidget(Caption("lblLonDegCaption", "Deg"), 0, 0);
    longitude->addWidget(txtLonD, 0, 1);
    longitude->addWidget(Caption("lblLonMinCaption", "Min"), 0, 2);
    longitude->addWidget(txtLonM, 0, 3);
    longitude->addWidget(optLong[0], 1, 0, 1, 2);
    longitude->addWidget(optLong[1], 1, 2, 1, 2);
    auto* longGroup = new QButtonGroup(fraLongitude);
    longGroup->addButton(optLong[0]);
    longGroup->addButton(optLong[1]);

    fraLatitude = Named(new QGroupBox(QStringLiteral("Latitude")), "fraLatitude");
    auto* latitude = new QGridLayout(fraLatitude);
    txtLatD = Digits("txtLatD", kLatDegMaxLength);
    txtLatM = Digits("txtLatM", kLatMinMaxLength);
    optLat = {Named(new QRadioButton(QStringLiteral("North")), "optLat_0"),
              Named(new QRadioButton(QStringLiteral("South")), "optLat_1")};
    latitude->addWidget(Caption("lblLatDegCaption", "Deg"), 0, 0);
    latitude->addWidget(txtLatD, 0, 1);
    latitude->addWidget(Caption("lblLatMinCaption", "Min"), 0, 2);
    latitude->addWidget(txtLatM, 0, 3);
    latitude->addWidget(optLat[0], 1, 0, 1, 2);
    latitude->addWidget(optLat[1], 1, 2, 1, 2);
    auto* latGroup = new QButtonGroup(fraLatitude);
    latGroup->addButton(optLat[0]);
    latGroup->addButton(optLat[1]);

    auto* lower = new QHBoxLayout;
    lower->addWidget(fraZone, 3);
    lower->addWidget(fraLongitude, 1);
    lower->addWidget(fraLatitude, 1);
    page->addLayout(lower);

    Label61 = Promotion(QStringLiteral("Visit %1").arg(WebSiteDisplayName()), central,
                        &OpenHomePage, "Label61");
    lblCobrand = Promotion(QStringLiteral("Show Korvanta on your web site"), central,
                           &OpenCoBrandPage, "lblCobrand");
    lblFullBrand = Promotion(QStringLiteral("Offer Korvanta under your own name"), central,
                             &OpenFullBrandPage, "lblFullBrand");
    auto* links = new QHBoxLayout;
    links->addWidget(Label61);
    links->addStretch(1);
    links->addWidget(lblCobrand);
    links->addSpacing(TwipsX(360));
    links->addWidget(lblFullBrand);
    page->addLayout(links);

    setCentralWidget(central);
    setTabOrder(txtName, cboMonth);
}

void frmMain::BuildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNext = mnuFile->addAction(QStringLiteral("Get My Upapada Lagna"));
    mnuNext->setObjectName(QStringLiteral("mnuNext"));
    BuildLibraryMenu();
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    AddHelpMenu(menuBar(), this, "mnuHelp1", "mnuHelp2");
}

void frmMain::LoadLists() {
    for (std::string_view month : kMonthNames) {
        cboMonth->addItem(QString::fromLatin1(month.data(), static_cast<qsizetype>(month.size())));
    }
    for (const ZoneRow& row : kZoneTable) {
        cmbTimeZone->addItem(
            QString::fromLatin1(row.text.data(), static_cast<qsizetype>(row.text.size())));
    }
    FillNumbers(cboDate, 1, kDayCount);
    FillNumbers(cboYear, kFirstYear, kYearCount);
    FillNumbers(cboHH, 0, kHourCount);
    FillNumbers(cboMM, 0, kMinuteCount);
    FillNumbers(cboSS, 0, kSecondCount);
    for (QComboBox* list : {cboMonth, cboDate, cboYear, cboHH, cboMM, cboSS}) {
        list->setCurrentIndex(0);
    }
    cmbTimeZone->setCurrentIndex(kDefaultZoneIndex);
    optLong[0]->setChecked(true);
    optLat[0]->setChecked(true);
    chkDST->setChecked(false);
}

}  // namespace korvanta
