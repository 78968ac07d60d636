// SPDX-License-Identifier: GPL-3.0-or-later
// The third tab of the result window: the arudha pada of every house, the
// special lagnas with their signs and positions, the reference sunrise and a
// plain account of how the Upapada Lagna was found.
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/frm_display.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;

QTableWidget* ReadOnlyTable(const char* name, int rows, const QStringList& columns) {
    auto* table = new QTableWidget(rows, static_cast<int>(columns.size()));
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 5);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            table->setItem(row, column, new QTableWidgetItem);
        }
    }
    return table;
}

// Tall enough for every row, so that the table never scrolls.
void FitRows(QTableWidget* table) {
    const int height = table->horizontalHeader()->sizeHint().height() +
                       table->rowCount() * table->verticalHeader()->defaultSectionSize() +
                       2 * table->frameWidth();
    table->setFixedHeight(height);
}

QLabel* WrappedLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void SetRow(QTableWidget* table, int row, const std::array<std::string, 3>& texts) {
    for (int column = 0; column < 3; ++column) {
        table->item(row, column)
            ->setText(QString::fromStdString(texts[static_cast<std::size_t>(column)]));
    }
}

}  // namespace

void frmDisplay::BuildPadasTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(TwipsX(120), TwipsY(120), TwipsX(120), TwipsY(120));

    auto* padasBox = new QGroupBox(DisplayText(kArudhaPadasHeading));
    padasBox_ = padasBox;
    padasBox->setObjectName(QStringLiteral("fraPadas"));
    padaTable_ = ReadOnlyTable(
        "tblPadas", 12,
        {DisplayText(kPadaColumns[0]), DisplayText(kPadaColumns[1]), DisplayText(kPadaColumns[2])});
    padaTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FitRows(padaTable_);
    auto* padas = new QVBoxLayout(padasBox);
    padas->addWidget(padaTable_);
    padas->addStretch(1);

    auto* specialBox = new QGroupBox(DisplayText(kSpecialLagnasHeading));
    specialBox->setObjectName(QStringLiteral("fraSpecialLagnas"));
    specialPointTable_ =
        ReadOnlyTable("tblSpecialLagnas", static_cast<int>(kSpecialPointRows),
                      {DisplayText(kPointColumns[0]), DisplayText(kPointColumns[1]),
                       DisplayText(kPointColumns[2])});
    FitRows(specialPointTable_);
    referenceSunrise_ = WrappedLabel("lblReferenceSunrise");
    auto* special = new QVBoxLayout(specialBox);
    special->addWidget(specialPointTable_);
    special->addWidget(referenceSunrise_);
    special->addStretch(1);

    auto* accountBox = new QGroupBox(DisplayText(kUpapadaAccountTitle));
    accountBox->setObjectName(QStringLiteral("fraUpapadaAccount"));
    upapadaAccount_ = WrappedLabel("lblUpapadaAccount");
    upapadaAccount_->setFont(VerdanaFont(kTextPoints));
    auto* account = new QVBoxLayout(accountBox);
    account->addWidget(upapadaAccount_);

    grid->addWidget(padasBox, 0, 0, 2, 1);
    grid->addWidget(specialBox, 0, 1);
    grid->addWidget(accountBox, 1, 1);
    grid->setColumnStretch(0, 4);
    grid->setColumnStretch(1, 5);
    grid->setRowStretch(1, 1);
}

void frmDisplay::FillPadas() {
    // The pada table names the divisional chart whose padas it lists.
    padasBox_->setTitle(report_.vargaCaption.empty()
                            ? DisplayText(kArudhaPadasHeading)
                            : DisplayText(kArudhaPadasHeading) + QStringLiteral(" \u2014 ") +
                                  DisplayText(report_.vargaCaption));
    const PadasView& padas = report_.padas;
    for (std::size_t house = 0; house < padas.padas.size(); ++house) {
        const PadaRow& row = padas.padas[house];
        SetRow(padaTable_, static_cast<int>(house), {row.house, row.name, std::string(row.sign)});
    }
    for (std::size_t i = 0; i < padas.points.size(); ++i) {
        const SpecialPointRow& row = padas.points[i];
        SetRow(specialPointTable_, static_cast<int>(i),
               {std::string(row.point), std::string(row.sign), row.position});
    }
    referenceSunrise_->setText(QString::fromStdString(padas.referenceSunrise));
    upapadaAccount_->setText(QString::fromStdString(padas.upapadaAccount));
}

}  // namespace korvanta
