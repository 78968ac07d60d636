// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/links.h"

#include <QApplication>
#include <QDesktopServices>

#include "ui/links_config.h"
#include "ui/manual_window.h"
#include "ui/message_sink.h"

namespace korvanta {

namespace {

MessageSink* linkMessages = nullptr;

QUrl Address(const char* text) {
    return QUrl(QString::fromUtf8(text));
}

void Open(const QUrl& url) {
    if (url.isEmpty()) {
        OpenManual();
        return;
    }
    if (QDesktopServices::openUrl(url)) return;
    QtMessageSink boxes;
    MessageSink& messages = linkMessages != nullptr ? *linkMessages : boxes;
    messages.Inform(QApplication::activeWindow(),
                    QStringLiteral("The page could not be opened: no web browser is set up to "
                                   "open it. Its address, to copy into a browser:\n\n%1")
                        .arg(url.toString()),
                    MessageIcon::Error);
}

}  // namespace

void SetLinkMessages(MessageSink* messages) {
    linkMessages = messages;
}

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
    const QString host = Address(links_config::kWebBase).host();
    return host.isEmpty() ? QStringLiteral("Korvanta Help") : host;
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

void OpenManual() {
    ManualWindow::Show(QApplication::activeWindow());
}

}  // namespace korvanta
