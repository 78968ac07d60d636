// SPDX-License-Identifier: GPL-3.0-or-later
// The web pages the program opens in the user's browser, and its manual. The
// addresses are set when the program is built (see ui/CMakeLists.txt); a page
// whose address is not set opens the manual instead, which ships with the
// program and needs no network. A page the system cannot open (no browser)
// is said in a message that shows its address to copy.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace korvanta {

class MessageSink;

void OpenOnlineHelp();
void OpenHomePage();
void OpenDownloadPage();
void OpenCoBrandPage();
void OpenFullBrandPage();
void OpenDonatePage();

// Opens a general web search for `query` (the coordinate look-up).
void OpenWebSearch(const QString& query);

// "Korvanta Help": the manual's window, shown and raised (one for the
// program), in front of the active window.
void OpenManual();

// The addresses, for labels that show them and for tests; empty when not set.
QUrl HomePageUrl();
QUrl OnlineHelpUrl();
QUrl DownloadPageUrl();
QUrl CoBrandPageUrl();
QUrl FullBrandPageUrl();
QUrl DonatePageUrl();
QUrl WebSearchUrl(const QString& query);

// The site's address as a reader would type it ("korvanta.example.org"), or
// "Korvanta Help" when no web site is set (its links then open the manual).
QString WebSiteDisplayName();

// Where the message about a page that cannot be opened goes; the real
// message boxes until set (tests record it instead).
void SetLinkMessages(MessageSink* messages);

}  // namespace korvanta
