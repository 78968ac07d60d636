// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_about.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "report/program_notice.h"
#include "report/report.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setModal(true);
    setFont(VerdanaFont(8.0));

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    const int side = TwipsY(720);
    picIcon->setPixmap(QIcon(QStringLiteral(":/korvanta/korvanta.svg")).pixmap(side, side));
    picIcon->setAlignment(Qt::AlignTop);

    Label2 = new QLabel(DisplayText(ProgramTitle()), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(VerdanaFont(12.0, true));

    Label1 = new QLabel(
        QStringLiteral("Korvanta is a special Lagna (Ascendant) calculated on the basis of Vedic "
                       "Astrology. This signifies marriage and spouse related issues. This gives "
                       "you more information about your spouse and his / her characteristics."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    // Without a web site the link opens the manual, and says so.
    lblHomePage = new LinkLabel(HomePageUrl().isEmpty()
                                    ? QStringLiteral("Read %1").arg(WebSiteDisplayName())
                                    : QStringLiteral("Visit us at %1").arg(WebSiteDisplayName()),
                                this, &OpenHomePage);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    lblHomePage->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

    Label3 =
        new QLabel(QStringLiteral("Would you like to offer Korvanta under your own name?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    lblCoBrand =
        new LinkLabel(QStringLiteral("Click here for more details."), this, &OpenFullBrandPage);
    lblCoBrand->setObjectName(QStringLiteral("lblCoBrand"));
    lblCoBrand->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    const auto utf8 = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    lblCredits = new QLabel(utf8(kLicenceLine) + QLatin1Char('\n') + utf8(kCreditsLine) +
                                QLatin1Char('\n') + utf8(kEphemerisLine),
                            this);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setFont(VerdanaFont(7.0));
    lblCredits->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label2);
    texts->addWidget(Label1);
    texts->addWidget(lblHomePage);
    texts->addSpacing(TwipsY(120));
    texts->addWidget(Label3);
    texts->addWidget(lblCoBrand);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(TwipsX(240));
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCredits, 1);
    buttons->addWidget(cmdOK, 0, Qt::AlignBottom);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addWidget(Line1);
    whole->addLayout(buttons);
    setFixedWidth(TwipsX(6600));
}

}  // namespace korvanta
