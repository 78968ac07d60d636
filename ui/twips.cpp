// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace korvanta {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double LogicalDpiX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
}

double LogicalDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

int TwipsX(int twips) {
    return qRound(twips * LogicalDpiX() / kTwipsPerInch);
}

int TwipsY(int twips) {
    return qRound(twips * LogicalDpiY() / kTwipsPerInch);
}

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsX(left), TwipsY(top), TwipsX(width), TwipsY(height));
}

QFont VerdanaFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont CourierFont(double pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}

QLabel* PlaceLabel(QWidget* parent, const char* objectName, const QString& text, QRect pixels) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(pixels);
    return label;
}

QString DisplayText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace korvanta
