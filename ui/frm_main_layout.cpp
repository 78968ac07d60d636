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
#include "ui/number_list_typing.h"
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

    QLabel* headline = Caption("Label2", "Know your Upapada Lagna with Korvanta");
    headline->setFont(VerdanaFont(13.0, true));
    page->addWidget(headline);

    auto* personalGroup = Named(new QGroupBox(QStringLiteral("Personal Details")), "fraPersonal");
    auto* personal = new QGridLayout(personalGroup);
    nameEdit_ = Named(new QLineEdit, "txtName");
    monthList_ = DropDownList("cboMonth");
    dayList_ = DropDownList("cboDate");
    yearList_ = DropDownList("cboYear");
    hourList_ = DropDownList("cboHH");
    minuteList_ = DropDownList("cboMM");
    secondList_ = DropDownList("cboSS");
    calculateButton_ = Named(new QPushButton(QStringLiteral("Get My Upapada Lagna")), "cmdRashi");
    calculateButton_->setDefault(true);
    // Why a key was refused in Name: a note that keeps its line, so that
    // nothing moves, and takes no keystroke as a message box would.
    nameNoteLabel_ = Named(new ElidedLabel(QString(), nullptr, 1), "lblNameNote");
    nameNoteLabel_->setForegroundRole(QPalette::PlaceholderText);
    for (QComboBox* list : {dayList_, yearList_, hourList_, minuteList_, secondList_}) {
        new NumberListTyping(list);
    }
    personal->addWidget(Caption("lblNameCaption", "Name"), 0, 0);
    personal->addWidget(nameEdit_, 0, 1, 1, 4);
    personal->addWidget(nameNoteLabel_, 1, 1, 1, 4);
    personal->addWidget(Caption("lblDOBCaption", "Date of Birth"), 2, 0);
    personal->addWidget(monthList_, 2, 1);
    personal->addWidget(dayList_, 2, 2);
    personal->addWidget(yearList_, 2, 3);
    personal->addWidget(Caption("lblTOBCaption", "Time of Birth"), 3, 0);
    personal->addWidget(hourList_, 3, 1);
    personal->addWidget(minuteList_, 3, 2);
    personal->addWidget(secondList_, 3, 3);
    personal->addWidget(Caption("lblTimeHint", "HH:MM:SS"), 3, 4);
    personal->addWidget(calculateButton_, 4, 1, 1, 4);

    auto* placeGroup = Named(new QGroupBox(QStringLiteral("Place Details")), "fraPlace");
    auto* place = new QGridLayout(placeGroup);
    cityEdit_ = Named(new QLineEdit, "txtMCity");
    stateEdit_ = Named(new QLineEdit, "txtMState");
    countryEdit_ = Named(new QLineEdit, "txtMCountry");
    // The stored caption doubles the ampersand so that it shows as one.
    lookUpButton_ =
        Named(new QPushButton(QStringLiteral("Click for Latitude && Longitude")), "cmdBrowser");
    placeSearchEdit_ = Named(new QLineEdit, "txtFindPlace");
    placeSearchEdit_->setPlaceholderText(QStringLiteral("Type a city, e.g. Pune"));
    placeSearchEdit_->setClearButtonEnabled(true);
    place->addWidget(Caption("lblFindPlaceCaption", "Find Place"), 0, 0);
    place->addWidget(placeSearchEdit_, 0, 1);
    place->addWidget(Caption("lblCityCaption", "City"), 1, 0);
    place->addWidget(cityEdit_, 1, 1);
    place->addWidget(Caption("lblStateCaption", "State"), 2, 0);
    place->addWidget(stateEdit_, 2, 1);
    place->addWidget(Caption("lblCountryCaption", "Country"), 3, 0);
    place->addWidget(countryEdit_, 3, 1);
    place->addWidget(lookUpButton_, 4, 1);
    for (QLineEdit* box : {placeSearchEdit_, cityEdit_, stateEdit_, countryEdit_}) TipWhenCut(box);

    // The place takes as much room as the person: its names are the longer.
    auto* upper = new QHBoxLayout;
    upper->addWidget(personalGroup, 1);
    upper->addWidget(placeGroup, 1);
    page->addLayout(upper);

    auto* zoneGroup = Named(new QGroupBox(QStringLiteral("Zone")), "fraZone");
    auto* zone = new QVBoxLayout(zoneGroup);
    zoneList_ = DropDownList("cmbTimeZone");
    // The offset of the list's last row, "Other UTC offset": a clock that no
    // named row has (Nepal's +05:45, a local mean time).
    utcOffsetEdit_ = Named(new QLineEdit, "txtUtcOffset");
    utcOffsetEdit_->setPlaceholderText(QStringLiteral("+HH:MM"));
    utcOffsetEdit_->setMaxLength(6);
    utcOffsetEdit_->setToolTip(
        QStringLiteral("The UTC offset of \"Other UTC offset\", -12:00 to +14:00"));
    utcOffsetEdit_->setEnabled(false);
    // Room for "+HH:MM" and its frame, whatever the font.
    utcOffsetEdit_->setMinimumWidth(
        utcOffsetEdit_->fontMetrics().horizontalAdvance(QStringLiteral("+HH:MM")) * 3 / 2 + 16);
    daylightSavingBox_ = Named(new QCheckBox(QStringLiteral("Daylight Saving Time")), "chkDST");
    // Notes from the atlas and the zone check. Each keeps room for two lines
    // whether it speaks or not, so that no control moves under the pointer
    // when a note comes or goes; a longer note ends in "…" with the whole
    // text as its tooltip.
    constexpr int kNoteLines = 2;
    zoneNoteLabel_ = Named(new ElidedLabel(QString(), nullptr, kNoteLines), "lblZoneNote");
    zoneNoteLabel_->setStyleSheet(QStringLiteral("color: #3c3c64;"));
    zoneCheckLabel_ = Named(new ElidedLabel(QString(), nullptr, kNoteLines), "lblZoneCheck");
    zoneCheckLabel_->setStyleSheet(QStringLiteral("color: #a0321e;"));
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(zoneList_, 1);
    zoneRow->addWidget(utcOffsetEdit_);
    zone->addLayout(zoneRow);
    zone->addWidget(daylightSavingBox_);
    zone->addWidget(zoneNoteLabel_);
    zone->addWidget(zoneCheckLabel_);

    auto* longitudeGroup = Named(new QGroupBox(QStringLiteral("Longitude")), "fraLongitude");
    auto* longitude = new QGridLayout(longitudeGroup);
    lonDegreesEdit_ = Digits("txtLonD", kLonDegMaxLength);
    lonMinutesEdit_ = Digits("txtLonM", kLonMinMaxLength);
    eastButton_ = Named(new QRadioButton(QStringLiteral("East")), "optLong_0");
    westButton_ = Named(new QRadioButton(QStringLiteral("West")), "optLong_1");
    longitude->addWidget(Caption("lblLonDegCaption", "Deg"), 0, 0);
    longitude->addWidget(lonDegreesEdit_, 0, 1);
    longitude->addWidget(Caption("lblLonMinCaption", "Min"), 0, 2);
    longitude->addWidget(lonMinutesEdit_, 0, 3);
    longitude->addWidget(eastButton_, 1, 0, 1, 2);
    longitude->addWidget(westButton_, 1, 2, 1, 2);
    auto* longGroup = new QButtonGroup(longitudeGroup);
    longGroup->addButton(eastButton_);
    longGroup->addButton(westButton_);

    auto* latitudeGroup = Named(new QGroupBox(QStringLiteral("Latitude")), "fraLatitude");
    auto* latitude = new QGridLayout(latitudeGroup);
    latDegreesEdit_ = Digits("txtLatD", kLatDegMaxLength);
    latMinutesEdit_ = Digits("txtLatM", kLatMinMaxLength);
    northButton_ = Named(new QRadioButton(QStringLiteral("North")), "optLat_0");
    southButton_ = Named(new QRadioButton(QStringLiteral("South")), "optLat_1");
    latitude->addWidget(Caption("lblLatDegCaption", "Deg"), 0, 0);
    latitude->addWidget(latDegreesEdit_, 0, 1);
    latitude->addWidget(Caption("lblLatMinCaption", "Min"), 0, 2);
    latitude->addWidget(latMinutesEdit_, 0, 3);
    latitude->addWidget(northButton_, 1, 0, 1, 2);
    latitude->addWidget(southButton_, 1, 2, 1, 2);
    auto* latGroup = new QButtonGroup(latitudeGroup);
    latGroup->addButton(northButton_);
    latGroup->addButton(southButton_);

    auto* lower = new QHBoxLayout;
    lower->addWidget(zoneGroup, 3);
    lower->addWidget(longitudeGroup, 1);
    lower->addWidget(latitudeGroup, 1);
    page->addLayout(lower);

    // Without a web site the link opens the manual, and says so.
    const QString home = HomePageUrl().isEmpty()
                             ? WebSiteDisplayName()
                             : QStringLiteral("Visit %1").arg(WebSiteDisplayName());
    LinkLabel* homeLink = Promotion(home, central, &OpenHomePage, "Label61");
    LinkLabel* cobrandLink = Promotion(QStringLiteral("Show Korvanta on your web site"), central,
                                       &OpenCoBrandPage, "lblCobrand");
    LinkLabel* fullBrandLink = Promotion(QStringLiteral("Offer Korvanta under your own name"),
                                         central, &OpenFullBrandPage, "lblFullBrand");
    auto* links = new QHBoxLayout;
    links->addWidget(homeLink);
    links->addStretch(1);
    links->addWidget(cobrandLink);
    links->addSpacing(TwipsX(360));
    links->addWidget(fullBrandLink);
    page->addLayout(links);

    setCentralWidget(central);
    setTabOrder(nameEdit_, monthList_);
}

void frmMain::BuildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    calculateAction_ = fileMenu_->addAction(QStringLiteral("Get My Upapada Lagna"));
    calculateAction_->setObjectName(QStringLiteral("mnuNext"));
    BuildLibraryMenu();
    exitAction_ = fileMenu_->addAction(QStringLiteral("E&xit"));
    exitAction_->setObjectName(QStringLiteral("mnuExit"));
    AddHelpMenu(menuBar(), this, "mnuHelp1", "mnuHelp2");
}

void frmMain::LoadLists() {
    for (std::string_view month : kMonthNames) {
        monthList_->addItem(
            QString::fromLatin1(month.data(), static_cast<qsizetype>(month.size())));
    }
    for (const ZoneRow& row : kZoneTable) {
        zoneList_->addItem(
            QString::fromLatin1(row.text.data(), static_cast<qsizetype>(row.text.size())));
    }
    zoneList_->addItem(QString::fromLatin1(kOtherOffsetText.data(),
                                           static_cast<qsizetype>(kOtherOffsetText.size())));
    FillNumbers(dayList_, 1, kDayCount);
    FillNumbers(yearList_, kFirstYear, kYearCount);
    FillNumbers(hourList_, 0, kHourCount);
    FillNumbers(minuteList_, 0, kMinuteCount);
    FillNumbers(secondList_, 0, kSecondCount);
    for (QComboBox* list : {monthList_, dayList_, yearList_, hourList_, minuteList_, secondList_}) {
        list->setCurrentIndex(0);
    }
    zoneList_->setCurrentIndex(kDefaultZoneIndex);
    eastButton_->setChecked(true);
    northButton_->setChecked(true);
    daylightSavingBox_->setChecked(false);
}

}  // namespace korvanta
