// SPDX-License-Identifier: GPL-3.0-or-later
// The web pages the program opens in the user's browser. The addresses are set
// when the program is built (see ui/CMakeLists.txt). A page that cannot be
// opened (no browser, no network) is silently skipped.
#pragma once

#include <QString>
#include <QUrl>

namespace korvanta {

void OpenOnlineHelp();
void OpenHomePage();
void OpenDownloadPage();
void OpenCoBrandPage();
void OpenFullBrandPage();
void OpenDonatePage();

// Opens a general web search for `query` (the coordinate look-up).
void OpenWebSearch(const QString& query);

// The addresses, for labels that show them and for tests.
QUrl HomePageUrl();
QUrl OnlineHelpUrl();
QUrl DownloadPageUrl();
QUrl CoBrandPageUrl();
QUrl FullBrandPageUrl();
QUrl DonatePageUrl();
QUrl WebSearchUrl(const QString& query);

// The site's address as a reader would type it ("korvanta.example.org").
QString WebSiteDisplayName();

}  // namespace korvanta
