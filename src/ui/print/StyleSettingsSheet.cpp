#include "ui/print/StyleSettingsSheet.h"

#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsStore.h"
#include "ui/print/StyleAddressListTab.h"
#include "ui/print/StyleEnvelopeTab.h"
#include "ui/print/StyleHagakiTab.h"
#include "ui/print/StyleLabelsTab.h"
#include "ui/print/StyleLengthBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The unit pop-up's order; the sheet opens on points, the unit the options are stored in.
const QList<PrintUnits::Unit> &unitOrder()
{
    static const QList<PrintUnits::Unit> units { PrintUnits::Unit::Inches, PrintUnits::Unit::Millimeters,
        PrintUnits::Unit::Points };
    return units;
}

QString unitTitle(PrintUnits::Unit unit)
{
    switch (unit) {
    case PrintUnits::Unit::Inches:
        return StyleSettingsSheet::tr("inches");
    case PrintUnits::Unit::Millimeters:
        return StyleSettingsSheet::tr("mm");
    case PrintUnits::Unit::Points:
        break;
    }
    return StyleSettingsSheet::tr("points");
}

// The tab of each style, in the order the tabs are added.
int tabIndexOfStyle(const QString &style)
{
    const QStringList order { PrintValue::StyleLabels, PrintValue::StyleEnvelope, PrintValue::StyleHagaki,
        PrintValue::StyleAddressList };
    return std::max(0, int(order.indexOf(style)));
}

constexpr int MinimumFontSize = 6;
constexpr int MaximumFontSize = 72;

} // namespace

StyleSettingsSheet::StyleSettingsSheet(QSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("styleSettingsSheet"));
    setWindowTitle(tr("Style Settings"));
    setWindowModality(Qt::WindowModal);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildGlobalPart());

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("styleTabs"));
    m_labels = new StyleLabelsTab(this);
    m_envelope = new StyleEnvelopeTab(this);
    m_hagaki = new StyleHagakiTab(this);
    m_addressList = new StyleAddressListTab(this);
    m_tabs->addTab(m_labels, tr("Label"));
    m_tabs->addTab(m_envelope, tr("Envelope"));
    m_tabs->addTab(m_hagaki, tr("Hagaki"));
    m_tabs->addTab(m_addressList, tr("Address List"));
    layout->addWidget(m_tabs, 1);
    for (StyleTab *tab : allTabs())
        connect(tab, &StyleTab::edited, this, &StyleSettingsSheet::updatePrintOptions);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    done->setObjectName(QStringLiteral("doneButton"));
    done->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    m_options = PrintOptionsStore::load(m_settings);
    startFontList();
}

StyleSettingsSheet *StyleSettingsSheet::open(
    QWidget *window, QSettings &settings, const QString &style, const QStringList &columnsInMainView)
{
    auto *sheet
        = window ? window->findChild<StyleSettingsSheet *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!sheet)
        sheet = new StyleSettingsSheet(settings, window);
    sheet->setColumnsInMainView(columnsInMainView);
    sheet->setPrintStyle(style);
    sheet->QDialog::open();
    return sheet;
}

QWidget *StyleSettingsSheet::buildGlobalPart()
{
    auto *part = new QWidget(this);
    auto *grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);

    m_unitPopup = new QComboBox(part);
    m_unitPopup->setObjectName(QStringLiteral("unitPopup"));
    for (PrintUnits::Unit unit : unitOrder())
        m_unitPopup->addItem(unitTitle(unit), PrintUnits::unitName(unit));
    m_unitPopup->setCurrentIndex(int(unitOrder().indexOf(PrintUnits::Unit::Points)));
    grid->addWidget(new QLabel(tr("Unit:"), part), 0, 0, Qt::AlignRight);
    grid->addWidget(m_unitPopup, 0, 1, Qt::AlignLeft);

    m_keishou = new QComboBox(part);
    m_keishou->setObjectName(QStringLiteral("keishouPopup"));
    grid->addWidget(new QLabel(tr("Honorific:"), part), 0, 2, Qt::AlignRight);
    grid->addWidget(m_keishou, 0, 3, Qt::AlignLeft);

    m_font = new QFontComboBox(part);
    m_font->setObjectName(QStringLiteral("fontPopup"));
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_font->setMinimumContentsLength(14);
    m_fontSize = new QSpinBox(part);
    m_fontSize->setObjectName(QStringLiteral("fontSizeBox"));
    m_fontSize->setRange(MinimumFontSize, MaximumFontSize);
    m_fontSize->setSuffix(tr(" pt"));
    m_fontSize->setKeyboardTracking(false);
    auto *font = new QHBoxLayout;
    font->addWidget(m_font, 1);
    font->addWidget(m_fontSize);
    grid->addWidget(new QLabel(tr("Font:"), part), 1, 0, Qt::AlignRight);
    grid->addLayout(font, 1, 1, 1, 3);

    const auto margin = [this, part](const QString &name) {
        auto *box = new StyleLengthBox(part);
        box->setObjectName(name);
        connect(box, &StyleLengthBox::pointsEdited, this, &StyleSettingsSheet::updatePrintOptions);
        return box;
    };
    m_top = margin(QStringLiteral("topMargin"));
    m_left = margin(QStringLiteral("leftMargin"));
    m_right = margin(QStringLiteral("rightMargin"));
    m_bottom = margin(QStringLiteral("bottomMargin"));
    grid->addWidget(new QLabel(tr("Top margin:"), part), 2, 0, Qt::AlignRight);
    grid->addWidget(m_top, 2, 1);
    grid->addWidget(new QLabel(tr("Bottom margin:"), part), 2, 2, Qt::AlignRight);
    grid->addWidget(m_bottom, 2, 3);
    grid->addWidget(new QLabel(tr("Left margin:"), part), 3, 0, Qt::AlignRight);
    grid->addWidget(m_left, 3, 1);
    grid->addWidget(new QLabel(tr("Right margin:"), part), 3, 2, Qt::AlignRight);
    grid->addWidget(m_right, 3, 3);
    grid->setColumnStretch(4, 1);

    connect(m_unitPopup, &QComboBox::activated, this,
        [this](int index) { setUnit(unitOrder().value(index, PrintUnits::Unit::Points)); });
    connect(m_keishou, &QComboBox::activated, this, &StyleSettingsSheet::updatePrintOptions);
    connect(m_font, &QComboBox::activated, this, [this] {
        m_fontName = m_font->currentFont().family();
        updatePrintOptions();
    });
    connect(m_fontSize, &QSpinBox::valueChanged, this, &StyleSettingsSheet::updatePrintOptions);
    return part;
}

QList<StyleTab *> StyleSettingsSheet::allTabs() const
{
    return { m_labels, m_envelope, m_hagaki, m_addressList };
}

void StyleSettingsSheet::startFontList()
{
    auto *watcher = new QFutureWatcher<QList<VerticalFont>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        setVerticalFonts(watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(VerticalFontList::start());
}

void StyleSettingsSheet::setVerticalFonts(const QList<VerticalFont> &fonts)
{
    for (StyleTab *tab : allTabs())
        tab->setVerticalFonts(fonts);
}

void StyleSettingsSheet::setPrintStyle(const QString &style)
{
    m_printStyle = style;
    m_options = PrintOptionsStore::load(m_settings);
    updateUI();
    m_tabs->setCurrentIndex(tabIndexOfStyle(style));
}

void StyleSettingsSheet::setUnit(PrintUnits::Unit unit)
{
    {
        const QSignalBlocker blocker(m_unitPopup);
        m_unitPopup->setCurrentIndex(int(unitOrder().indexOf(unit)));
    }
    m_unit = unit;
    for (StyleLengthBox *box : { m_top, m_left, m_right, m_bottom })
        box->setUnit(unit);
    for (StyleTab *tab : allTabs())
        tab->setUnit(unit);
}

void StyleSettingsSheet::updateUI()
{
    m_top->setPoints(PrintOptions::number(m_options.value(PrintKey::TopMargin)));
    m_left->setPoints(PrintOptions::number(m_options.value(PrintKey::LeftMargin)));
    m_right->setPoints(PrintOptions::number(m_options.value(PrintKey::RightMargin)));
    m_bottom->setPoints(PrintOptions::number(m_options.value(PrintKey::BottomMargin)));

    m_fontName = PrintOptions::text(m_options.value(PrintKey::FontName));
    {
        const QSignalBlocker font(m_font);
        const QSignalBlocker size(m_fontSize);
        m_font->setCurrentFont(QFont(m_fontName.isEmpty() ? QApplication::font().family() : m_fontName));
        m_fontSize->setValue(std::clamp(PrintOptions::integer(m_options.value(PrintKey::FontSize), 14),
            MinimumFontSize, MaximumFontSize));
    }

    {
        const QSignalBlocker blocker(m_keishou);
        m_keishou->clear();
        m_keishou->addItems(PrintChoices::keishouChoiceTitles());
        const QString stored = PrintOptions::text(m_options.value(PrintKey::Keishou));
        int index = PrintChoices::keishouChoiceIndex(stored);
        // An honorific typed elsewhere is offered as it is, so saving keeps it.
        if (index < 0) {
            m_keishou->addItem(stored);
            index = m_keishou->count() - 1;
        }
        m_keishou->setCurrentIndex(index);
    }

    m_addressList->setColumnsInMainView(m_columnsInMainView);
    for (StyleTab *tab : allTabs()) {
        tab->load(m_options);
        tab->setUnit(m_unit);
    }
}

void StyleSettingsSheet::updatePrintOptions()
{
    if (!m_fontName.isEmpty())
        m_options.insert(PrintKey::FontName, m_fontName);
    m_options.insert(PrintKey::FontSize, m_fontSize->value());
    m_options.insert(PrintKey::TopMargin, m_top->points());
    m_options.insert(PrintKey::LeftMargin, m_left->points());
    m_options.insert(PrintKey::RightMargin, m_right->points());
    m_options.insert(PrintKey::BottomMargin, m_bottom->points());
    m_options.insert(PrintKey::Keishou, PrintChoices::keishouForChoice(m_keishou->currentText()));
    for (StyleTab *tab : allTabs())
        tab->store(m_options);
    PrintOptionsStore::save(m_settings, m_options);
    for (StyleTab *tab : allTabs())
        tab->stored(m_options);
}
