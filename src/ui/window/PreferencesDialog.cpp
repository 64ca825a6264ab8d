#include "ui/window/PreferencesDialog.h"

#include "document/UserDefaults.h"
#include "document/VdirContactStore.h"
#include "ui/dialogs/Alerts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// The names of more books than this would not fit the line below the list.
constexpr qsizetype ListedBooks = 6;
} // namespace

PreferencesDialog::PreferencesDialog(UserDefaults &defaults, QWidget *parent)
    : QDialog(parent)
    , m_defaults(defaults)
    , m_list(new QListWidget(this))
    , m_add(new QPushButton(tr("Add Folder…"), this))
    , m_remove(new QPushButton(tr("Remove"), this))
    , m_books(new QLabel(this))
{
    setWindowTitle(tr("Preferences"));

    auto *group = new QGroupBox(tr("Address Book Folders"), this);
    auto *explanation = new QLabel(tr("Each subfolder that holds vCard files, one contact a file, "
                                      "is shown as an address book in the group list."),
        group);
    explanation->setWordWrap(true);
    m_list->setAccessibleName(tr("Address Book Folders"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_books->setWordWrap(true);
    m_books->setTextFormat(Qt::PlainText);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);

    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(explanation);
    groupLayout->addWidget(m_list, 1);
    groupLayout->addLayout(buttons);
    groupLayout->addWidget(m_books);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(box);

    for (const QString &folder : m_defaults.addressBookFolders())
        addFolder(folder);

    connect(m_add, &QPushButton::clicked, this, &PreferencesDialog::chooseFolder);
    connect(m_remove, &QPushButton::clicked, this, &PreferencesDialog::removeSelected);
    connect(m_list, &QListWidget::currentRowChanged, this, &PreferencesDialog::showBooks);
    connect(box, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &PreferencesDialog::reject);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    showBooks();
    resize(520, 380);
}

QStringList PreferencesDialog::folders() const
{
    QStringList list;
    for (int i = 0; i < m_list->count(); ++i)
        list << m_list->item(i)->data(Qt::UserRole).toString();
    return list;
}

void PreferencesDialog::addFolder(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (folders().contains(folder))
        return;
    auto *item = new QListWidgetItem(QDir::toNativeSeparators(folder), m_list);
    item->setData(Qt::UserRole, folder);
    item->setToolTip(QDir::toNativeSeparators(folder));
    m_list->setCurrentItem(item);
    showBooks();
}

void PreferencesDialog::chooseFolder()
{
    auto *dialog = new QFileDialog(this, tr("Add Address Book Folder"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    connect(dialog, &QFileDialog::fileSelected, this, &PreferencesDialog::addFolder);
    dialog->open();
}

void PreferencesDialog::removeSelected()
{
    delete m_list->currentItem();
    showBooks();
}

QString PreferencesDialog::booksText() const
{
    return m_books->text();
}

void PreferencesDialog::showBooks()
{
    m_remove->setEnabled(m_list->currentItem() != nullptr);
    const QListWidgetItem *item = m_list->currentItem();
    if (!item) {
        m_books->setText(m_list->count() == 0
                ? tr("No folder is chosen: the group list shows the file's groups only.")
                : QString());
        return;
    }
    const QString folder = item->data(Qt::UserRole).toString();
    if (!QFileInfo(folder).isDir()) {
        m_books->setText(tr("This folder can't be found."));
        return;
    }
    // Listing the books reads folder names only, never the cards.
    VdirContactStore store({ folder });
    const auto books = store.containers();
    QStringList names;
    for (const auto &book : books.items)
        names << book.name;
    if (names.isEmpty()) {
        m_books->setText(tr("No address book in this folder."));
        return;
    }
    QString listed = names.mid(0, ListedBooks).join(tr(", "));
    if (names.size() > ListedBooks)
        listed = tr("%1 …").arg(listed);
    m_books->setText(tr("Address books: %1").arg(listed));
}

void PreferencesDialog::accept()
{
    const QStringList chosen = folders();
    const bool changed = chosen != m_defaults.addressBookFolders();
    // A book's changes live only in its window: dropping the book would drop them, and the steps of
    // Undo that refer to them, without a word.
    const QStringList inUse = changed && m_removalCheck ? m_removalCheck(chosen) : QStringList();
    if (!inUse.isEmpty()) {
        Alerts::show(this, tr("These address books have changes in open windows and can't be removed now:"),
            inUse.join(u'\n') + u"\n\n"_s
                + tr("Export the contacts you changed or close those windows, then remove the folder."),
            QMessageBox::Warning);
        return;
    }
    m_defaults.setAddressBookFolders(chosen);
    QDialog::accept();
    if (changed)
        emit addressBookFoldersChanged(chosen);
}
