#include "ui/dialogs/EncodingListPanel.h"

#include "formats/EncodingMenuModel.h"
#include "ui/dialogs/EncodingListModel.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

EncodingListPanel::EncodingListPanel(EncodingMenuModel &menu, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_menu(menu)
    , m_model(new EncodingListModel(menu, this))
    , m_view(new QListView(this))
    , m_selectAll(new QPushButton(tr("Select All"), this))
    , m_clearAll(new QPushButton(tr("Clear All"), this))
    , m_revert(new QPushButton(tr("Revert"), this))
{
    setWindowTitle(tr("Customize Encoding List"));
    // Not modal itself, yet above the modal file dialog it belongs to.
    setWindowModality(Qt::NonModal);

    auto *hint = new QLabel(tr("Choose the encodings to show in the Encoding menu."), this);
    hint->setWordWrap(true);
    m_view->setModel(m_model);
    m_view->setUniformItemSizes(true);
    m_view->setAccessibleName(tr("Encodings"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_selectAll);
    buttons->addWidget(m_clearAll);
    buttons->addWidget(m_revert);
    buttons->addStretch(1);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_selectAll, &QPushButton::clicked, m_model, &EncodingListModel::selectAll);
    connect(m_clearAll, &QPushButton::clicked, m_model, &EncodingListModel::clearAll);
    connect(m_revert, &QPushButton::clicked, m_model, &EncodingListModel::revertList);
    connect(close, &QDialogButtonBox::rejected, this, &EncodingListPanel::reject);
    connect(m_model, &EncodingListModel::menuChanged, this, &EncodingListPanel::menuChanged);
    resize(360, 440);
}

void EncodingListPanel::requestClose()
{
    if (isVisible())
        done(QDialog::Accepted);
    else
        m_menu.requestClose();
}

void EncodingListPanel::done(int result)
{
    QDialog::done(result);
    m_menu.requestClose();
}
