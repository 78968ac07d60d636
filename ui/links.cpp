// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/links.h"

#include <QDesktopServices>

#include "ui/links_config.h"

namespace korvanta {

namespace {

QUrl Address(const char* text) {
    return QUrl(QString::fromUtf8(text));
}

void Open(const QUrl& url) {
    // The result says only whether a handler was found; nothing is reported.
    static_cast<void>(QDesktopServices::openUrl(url));
}

}  // namespace

QUrl HomePageUrl() {
    return Address(links_config::kHomeUrl);
}
QUrl OnlineHelpUrl() {
    return Address(links_config::kHelpUrl);
}
QUrl DownloadPageUrl() {
    return Address(links_config::kDownloadUrl);
}
QUrl CoBrandPageUrl() {
    return Address(links_config::kCoBrandUrl);
}
QUrl FullBrandPageUrl() {
    return Address(links_config::kFullBrandUrl);
}
QUrl DonatePageUrl() {
    return Address(links_config::kDonateUrl);
}

QUrl WebSearchUrl(const QString& query) {
    const QByteArray encoded = QUrl::toPercentEncoding(query);
    return QUrl::fromEncoded(QByteArray(links_config::kSearchUrl) + encoded);
}

QString WebSiteDisplayName() {
    return Address(links_config::kWebBase).host();
}

void OpenOnlineHelp() {
    Open(OnlineHelpUrl());
}
void OpenHomePage() {
    Open(HomePageUrl());
}
void OpenDownloadPage() {
    Open(DownloadPageUrl());
}
void OpenCoBrandPage() {
    Open(CoBrandPageUrl());
}
void OpenFullBrandPage() {
    Open(FullBrandPageUrl());
}
void OpenDonatePage() {
    Open(DonatePageUrl());
}
void OpenWebSearch(const QString& query) {
    Open(WebSearchUrl(query));
}

}  // namespace korvanta
