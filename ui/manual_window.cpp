// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/manual_window.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QVBoxLayout>

#include "ui/twips.h"

namespace korvanta {

namespace {

// The widest a picture is drawn, in pixels; the window's width at first.
constexpr int kPictureWidth = 640;
constexpr QSize kFirstSize(720, 640);

}  // namespace

QUrl ManualWindow::Source() {
    return QUrl(QStringLiteral("qrc:/korvanta/manual/manual.md"));
}

ManualWindow::ManualWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frmManual"));
    setWindowTitle(QStringLiteral("Korvanta Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("txtManual"));
    // Web addresses in the text go to the browser; the manual stays here.
    text_->setOpenExternalLinks(true);
    text_->setSource(Source(), QTextDocument::MarkdownResource);
    layout->addWidget(text_);
    FitPictures();
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // Ctrl+Q ends the program here as in its other windows.
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, QCoreApplication::instance(), &QCoreApplication::quit);
}

void ManualWindow::FitPictures() {
    QTextDocument* document = text_->document();
    QTextCursor cursor(document);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (!piece.isValid() || !piece.charFormat().isImageFormat()) continue;
            QTextImageFormat picture = piece.charFormat().toImageFormat();
            const QImage image(QStringLiteral(":") +
                               Source().resolved(QUrl(picture.name())).path());
            if (image.isNull() || image.width() <= kPictureWidth) continue;
            picture.setWidth(kPictureWidth);
            picture.setHeight(static_cast<double>(image.height()) * kPictureWidth / image.width());
            cursor.setPosition(piece.position());
            cursor.setPosition(piece.position() + piece.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

ManualWindow* ManualWindow::Show(QWidget* near) {
    static QPointer<ManualWindow> window;
    if (window.isNull()) {
        window = new ManualWindow;
        // The window has no parent: it outlives the window it was opened
        // from, and goes with the program.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         window.data(), &QObject::deleteLater);
        QScreen* screen = near != nullptr ? near->screen() : window->screen();
        const QRect room = screen->availableGeometry();
        const QSize size = kFirstSize.boundedTo(room.size() * 9 / 10);
        window->resize(size);
        window->move(room.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window.data();
}

}  // namespace korvanta
