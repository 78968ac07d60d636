// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box of the program goes through this interface, so that tests
// can record the messages instead of showing boxes that wait for a click.
#pragma once

#include <QString>

#include "pipeline/entry.h"

class QWidget;

namespace korvanta {

// Title of every message box.
inline constexpr const char* kApplicationTitle = "Korvanta";

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A message with one OK button; returns when the user has read it.
    virtual void Inform(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // A question with Yes and No and the information icon; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
};

// The real message boxes.
class QtMessageSink final : public MessageSink {
  public:
    void Inform(QWidget* parent, const QString& text, MessageIcon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
};

}  // namespace korvanta
