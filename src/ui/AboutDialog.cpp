#include "ui/AboutDialog.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto* text = new QTextEdit(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral(
        "Lumeroc 1.2.3\n\n"
        "Activity rhythms of collared animals: actograms, statistical charts, rhythm analysis, time budgets "
        "and cosinor plots from activity data files and database downloads.\n\n"
        "Rhythm analysis: the degree of functional coupling (DFC) and the harmonic part are computed as "
        "published in the chronobiological literature, from the power spectrum of 30-minute activity sums "
        "with Fisher's test of significance.\n\n"
        "Icons: drawn for Lumeroc.\n\n"
        "Please send questions and problem reports to the maintainers of your installation."));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(440, 320);
}
