// SPDX-License-Identifier: GPL-3.0-or-later
// A word-wrapped label that remembers the height its text takes at each
// width it was asked about. While a window is laid out its layouts ask a
// wrapped label for its height again and again, and QLabel lays the whole
// text out for every answer.
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <array>

namespace korvanta {

class WrappedLabel : public QLabel {
    Q_OBJECT
  public:
    explicit WrappedLabel(QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

  protected:
    bool event(QEvent* event) override;

  private:
    struct Answer {
        int width = -1;
        int height = 0;
    };
    // The answers for the text and font they were worked out for; the
    // latest few widths, as a layout settles between two or three.
    mutable QString text_;
    mutable QFont font_;
    mutable std::array<Answer, 4> answers_{};
    mutable std::size_t next_ = 0;
};

}  // namespace korvanta
