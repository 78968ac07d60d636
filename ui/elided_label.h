// SPDX-License-Identifier: GPL-3.0-or-later
// A label that never cuts its text silently: what does not fit in its lines
// ends in "…", and the whole text is then its tooltip. The label's text stays
// the whole text; only the drawing is shortened.
#pragma once

#include <QFont>
#include <QLabel>
#include <QList>
#include <QString>

namespace korvanta {

class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    // `lines`: how many lines the label shows; with more than one the text is
    // word-wrapped and the label keeps the height of that many lines, so that
    // nothing around it moves when its text comes and goes.
    explicit ElidedLabel(const QString& text = QString(), QWidget* parent = nullptr, int lines = 1);

    // The text as drawn in the label's present width ("…" where it was cut).
    QString ShownText() const;
    // Whether some of the text does not show.
    bool IsElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Drawn {
        QString text;  // with the line breaks it is drawn with
        bool elided = false;
    };
    // The text as drawn at the present width, worked out once for each text,
    // width and font: painting, resizing and the tooltip all ask for it.
    const Drawn& Shown() const;
    Drawn Cut(int width) const;
    void UpdateToolTip();
    int lines_ = 1;
    struct Memo {
        QString text;
        QFont font;
        QList<qreal> advances;  // of the text's lines, once measured
        int width = -1;         // what `drawn` was cut for
        Drawn drawn;
    };
    mutable Memo memo_;
};

}  // namespace korvanta
