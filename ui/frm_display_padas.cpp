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

    fraPadas = new QGroupBox(DisplayText(kArudhaPadasHeading));
    fraPadas->setObjectName(QStringLiteral("fraPadas"));
    tblPadas = ReadOnlyTable(
        "tblPadas", 12,
        {DisplayText(kPadaColumns[0]), DisplayText(kPadaColumns[1]), DisplayText(kPadaColumns[2])});
    tblPadas->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FitRows(tblPadas);
    auto* padas = new QVBoxLayout(fraPadas);
    padas->addWidget(tblPadas);
    padas->addStretch(1);

    fraSpecialLagnas = new QGroupBox(DisplayText(kSpecialLagnasHeading));
    fraSpecialLagnas->setObjectName(QStringLiteral("fraSpecialLagnas"));
    tblSpecialLagnas = ReadOnlyTable("tblSpecialLagnas", static_cast<int>(kSpecialPointRows),
                                     {DisplayText(kPointColumns[0]), DisplayText(kPointColumns[1]),
                                      DisplayText(kPointColumns[2])});
    FitRows(tblSpecialLagnas);
    lblReferenceSunrise = WrappedLabel("lblReferenceSunrise");
    auto* special = new QVBoxLayout(fraSpecialLagnas);
    special->addWidget(tblSpecialLagnas);
    special->addWidget(lblReferenceSunrise);
    special->addStretch(1);

    fraUpapadaAccount = new QGroupBox(DisplayText(kUpapadaAccountTitle));
    fraUpapadaAccount->setObjectName(QStringLiteral("fraUpapadaAccount"));
    lblUpapadaAccount = WrappedLabel("lblUpapadaAccount");
    lblUpapadaAccount->setFont(VerdanaFont(kTextPoints));
    auto* account = new QVBoxLayout(fraUpapadaAccount);
    account->addWidget(lblUpapadaAccount);

    grid->addWidget(fraPadas, 0, 0, 2, 1);
    grid->addWidget(fraSpecialLagnas, 0, 1);
    grid->addWidget(fraUpapadaAccount, 1, 1);
    grid->setColumnStretch(0, 4);
    grid->setColumnStretch(1, 5);
    grid->setRowStretch(1, 1);
}

void frmDisplay::FillPadas(const PadasView& padas) {
    for (std::size_t house = 0; house < padas.padas.size(); ++house) {
        const PadaRow& row = padas.padas[house];
        SetRow(tblPadas, static_cast<int>(house), {row.house, row.name, std::string(row.sign)});
    }
    for (std::size_t i = 0; i < padas.points.size(); ++i) {
        const SpecialPointRow& row = padas.points[i];
        SetRow(tblSpecialLagnas, static_cast<int>(i),
               {std::string(row.point), std::string(row.sign), row.position});
    }
    lblReferenceSunrise->setText(QString::fromStdString(padas.referenceSunrise));
    lblUpapadaAccount->setText(QString::fromStdString(padas.upapadaAccount));
}

}  // namespace korvanta
