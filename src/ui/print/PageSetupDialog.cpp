#include "ui/print/PageSetupDialog.h"

#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

PageSetupDialog::PageSetupDialog(const QString &style, const PageSetup &setup, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("pageSetupDialog"));
    setWindowTitle(tr("Page Setup"));
    auto *form = new QFormLayout;

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paperMenu"));
    const bool postcard = style == PrintValue::StyleHagaki;
    for (const QString &name : PaperSizes::names()) {
        if (postcard && name != PaperSizes::Postcard)
            continue;
        m_paper->addItem(paperTitle(name), name);
    }
    const int current = m_paper->findData(setup.paperName);
    m_paper->setCurrentIndex(current >= 0 ? current : 0);
    m_paper->setEnabled(m_paper->count() > 1);
    form->addRow(tr("Paper:"), m_paper);

    m_size = new QLabel(this);
    m_size->setObjectName(QStringLiteral("paperSize"));
    form->addRow(QString(), m_size);

    auto *orientationRow = new QHBoxLayout;
    m_orientation = new QButtonGroup(this);
    auto *portrait = new QRadioButton(tr("Portrait"), this);
    auto *landscape = new QRadioButton(tr("Landscape"), this);
    portrait->setObjectName(QStringLiteral("portrait"));
    landscape->setObjectName(QStringLiteral("landscape"));
    m_orientation->addButton(portrait, QPageLayout::Portrait);
    m_orientation->addButton(landscape, QPageLayout::Landscape);
    const bool turns = styleTurns(style);
    (turns && setup.orientation == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    portrait->setEnabled(turns);
    landscape->setEnabled(turns);
    orientationRow->addWidget(portrait);
    orientationRow->addWidget(landscape);
    orientationRow->addStretch();
    form->addRow(tr("Orientation:"), orientationRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_paper, &QComboBox::currentIndexChanged, this, &PageSetupDialog::updateSize);
    connect(m_orientation, &QButtonGroup::idClicked, this, &PageSetupDialog::updateSize);
    updateSize();
}

PageSetup PageSetupDialog::setup() const
{
    PageSetup chosen;
    chosen.paperName = m_paper->currentData().toString();
    chosen.orientation = QPageLayout::Orientation(m_orientation->checkedId());
    return chosen;
}

QString PageSetupDialog::paperTitle(const QString &paperName)
{
    if (paperName == PaperSizes::Postcard)
        return tr("Postcard");
    if (paperName == PaperSizes::Letter)
        return tr("Letter");
    // The envelope names are the ones printed on the packets.
    return paperName;
}

bool PageSetupDialog::styleTurns(const QString &style)
{
    return style == PrintValue::StyleLabels || style == PrintValue::StyleAddressList;
}

void PageSetupDialog::updateSize()
{
    QSizeF mm = PaperSizes::sizeInPoints(m_paper->currentData().toString()) * 25.4 / 72.0;
    if (m_orientation->checkedId() == QPageLayout::Landscape)
        mm.transpose();
    const QLocale locale;
    m_size->setText(
        tr("%1 × %2 mm").arg(locale.toString(mm.width(), 'f', 1), locale.toString(mm.height(), 'f', 1)));
}
