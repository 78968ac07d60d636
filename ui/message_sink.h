// SPDX-License-Identifier: GPL-3.0-or-later
// Every message box of the program goes through this interface, so that tests
// can record the messages instead of showing boxes that wait for a click.
#pragma once

#include <QString>
#include <memory>

#include "pipeline/entry.h"

class QMessageBox;
class QWidget;

namespace korvanta {

// Title of every message box.
inline constexpr const char* kApplicationTitle = "Korvanta";

// The answers of a question with Yes, No and Cancel.
enum class QuestionAnswer { Yes, No, Cancel };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A message with one OK button; returns when the user has read it.
    virtual void Inform(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // A question with Yes and No and the information icon; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // A question with Yes, No and Cancel; Escape or closing the box is
    // Cancel. Without a box of its own, Yes or Cancel by AskYesNo.
    virtual QuestionAnswer AskYesNoCancel(QWidget* parent, const QString& text) {
        return AskYesNo(parent, text) ? QuestionAnswer::Yes : QuestionAnswer::Cancel;
    }
    // A question whose buttons are `action` ("Delete") and Cancel; Escape
    // or closing the box is Cancel. True for `action`. Without a box of its
    // own, AskYesNo.
    virtual bool Confirm(QWidget* parent, const QString& text, const QString& action) {
        static_cast<void>(action);
        return AskYesNo(parent, text);
    }
};

// The real message boxes. None is larger than the screen it opens on: a
// message too long for it (an import's list of refused lines) shows its
// first paragraph, and the whole text scrolls in the box's details.
class QtMessageSink final : public MessageSink {
  public:
    void Inform(QWidget* parent, const QString& text, MessageIcon icon) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    QuestionAnswer AskYesNoCancel(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text, const QString& action) override;
};

// The box QtMessageSink shows for an Inform(), not yet shown: `text` as it
// fits the screen of `parent` (the primary screen without one).
std::unique_ptr<QMessageBox> InformationBox(QWidget* parent, const QString& text, MessageIcon icon);

}  // namespace korvanta
