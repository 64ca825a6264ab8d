#include "ui/dialogs/EncodingAccessory.h"

#include "formats/EncodingMenuModel.h"
#include "ui/dialogs/EncodingListPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

EncodingAccessory::EncodingAccessory(EncodingMenuModel &menu, QWidget *parent)
    : QWidget(parent)
    , m_menu(menu)
    , m_title(new QLabel(EncodingMenuModel::encodingTitle(), this))
    , m_popup(new QComboBox(this))
{
    m_title->setBuddy(m_popup);
    m_popup->setAccessibleName(EncodingMenuModel::encodingTitle());
    // Encoding names run long ("Japanese (Shift_JIS / Windows-31J)"): the pop-up grows to its items.
    m_popup->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_popup->setMaxVisibleItems(24);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_popup);
    layout->addStretch(1);

    connect(m_popup, &QComboBox::activated, this, &EncodingAccessory::itemActivated);
    reloadMenu();
}

EncodingListPanel *EncodingAccessory::encodingListPanel() const
{
    return m_panel;
}

void EncodingAccessory::reloadMenu()
{
    const QSignalBlocker blocker(m_popup);
    m_popup->clear();
    for (const EncodingMenuItem &item : m_menu.menuItems()) {
        if (item.kind == EncodingMenuItem::Kind::Separator)
            m_popup->insertSeparator(m_popup->count());
        else
            m_popup->addItem(item.title, QVariant::fromValue(item.encoding));
    }
    m_popup->setCurrentIndex(int(m_menu.selectedIndex()));
}

void EncodingAccessory::itemActivated(int index)
{
    m_menu.selectItem(index);
    // "Customize Encoding List…" opens the panel and is never itself the choice.
    m_popup->setCurrentIndex(int(m_menu.selectedIndex()));
    if (m_menu.isListPanelVisible())
        showListPanel();
}

TextEncoding::Number EncodingAccessory::encodingType() const
{
    return m_menu.encodingType();
}

QString EncodingAccessory::encodingTypeName() const
{
    return m_menu.encodingTypeName();
}

void EncodingAccessory::showListPanel()
{
    if (!m_menu.isListPanelVisible()) {
        const QList<EncodingMenuItem> &items = m_menu.menuItems();
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items.at(i).kind == EncodingMenuItem::Kind::Customize)
                m_menu.selectItem(i);
    }
    if (!m_panel) {
        // A tool window of the dialog this pop-up sits in, so the dialog's modality doesn't block it.
        m_panel = new EncodingListPanel(m_menu, window());
        connect(m_panel, &EncodingListPanel::menuChanged, this, &EncodingAccessory::reloadMenu);
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
}

void EncodingAccessory::requestClose()
{
    if (m_panel)
        m_panel->requestClose();
    else
        m_menu.requestClose();
}
