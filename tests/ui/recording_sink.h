// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers: a message sink that records instead of showing boxes, and a
// browser stand-in that records the addresses the program opens.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QString>
#include <QUrl>
#include <vector>

#include "ui/message_sink.h"

namespace korvanta::testing {

struct RecordedMessage {
    QString text;
    MessageIcon icon = MessageIcon::Information;
    bool question = false;
};

class RecordingSink final : public MessageSink {
  public:
    void Inform(QWidget*, const QString& text, MessageIcon icon) override {
        messages.push_back({text, icon, false});
    }
    bool AskYesNo(QWidget*, const QString& text) override {
        messages.push_back({text, MessageIcon::Information, true});
        return answerYes;
    }
    // Yes or No as answerYes says, unless cancel is set.
    QuestionAnswer AskYesNoCancel(QWidget*, const QString& text) override {
        messages.push_back({text, MessageIcon::Information, true});
        return cancel      ? QuestionAnswer::Cancel
               : answerYes ? QuestionAnswer::Yes
                           : QuestionAnswer::No;
    }
    bool Confirm(QWidget* parent, const QString& text, const QString&) override {
        return AskYesNo(parent, text);
    }

    std::vector<RecordedMessage> messages;
    bool answerYes = false;
    bool cancel = false;
};

// Takes over http and https for its lifetime, so nothing reaches a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    UrlRecorder() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Record");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Record");
    }
    ~UrlRecorder() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

    std::vector<QUrl> opened;

  public slots:
    void Record(const QUrl& url) { opened.push_back(url); }
};

// The pages of `pages` whose address the build set: those reach the
// browser; the others open the manual.
inline std::vector<QUrl> SetAddresses(const std::vector<QUrl>& pages) {
    std::vector<QUrl> set;
    for (const QUrl& url : pages) {
        if (!url.isEmpty()) set.push_back(url);
    }
    return set;
}

}  // namespace korvanta::testing
