#include "ui/dialogs/ImportSheet.h"

#include "ui/dialogs/ImportListModel.h"

#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

ImportSheet::ImportSheet(QWidget *parent)
    : QDialog(parent)
    , m_model(new ImportListModel(this))
    , m_importFilename(new QLabel(this))
    , m_view(new QListView(this))
    , m_splitter(new QSplitter(Qt::Horizontal, this))
    , m_select(new QPushButton(tr("Select"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Import"));
    QFont bold = m_importFilename->font();
    bold.setBold(true);
    m_importFilename->setFont(bold);
    m_importFilename->setTextFormat(Qt::PlainText);
    m_importFilename->setWordWrap(true);
    auto *prompt = new QLabel(tr("Select the contacts to import."), this);

    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setUniformItemSizes(true);
    m_view->setIconSize(QSize(ImportListModel::RowHeight - 2, ImportListModel::RowHeight - 2));
    m_view->setAccessibleName(tr("Contacts in the file"));
    m_splitter->addWidget(m_view);
    m_splitter->setChildrenCollapsible(false);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(m_select, QDialogButtonBox::AcceptRole);
    m_select->setDefault(true);
    connect(m_select, &QPushButton::clicked, this, [this] { done(Selected); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(Cancelled); });
    connect(m_view, &QListView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            emit entryClicked(m_model->nameTable().at(index.row()));
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_importFilename);
    layout->addWidget(prompt);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(buttons);
    resize(420, 420);
}

void ImportSheet::setOffer(const QString &filename, const ContactTable &nameTable)
{
    m_filename = filename;
    m_importFilename->setText(filename);
    m_model->setNameTable(nameTable);
    m_view->scrollToTop();
}

const ContactTable &ImportSheet::nameTable() const
{
    return m_model->nameTable();
}

QList<qsizetype> ImportSheet::selectedIndexes() const
{
    QList<qsizetype> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ImportSheet::setDetailView(QWidget *view)
{
    if (m_detail == view)
        return;
    delete m_detail;
    m_detail = view;
    if (!view)
        return;
    m_splitter->addWidget(view);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 2);
    // The sheet widens to make room for the contact beside the list.
    if (width() < 760)
        resize(760, height());
}
