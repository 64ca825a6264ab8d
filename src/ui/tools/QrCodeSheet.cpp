#include "ui/tools/QrCodeSheet.h"

#include "document/DocumentHub.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The code is never smaller than this on screen, so a small symbol does not leave the sheet jumping.
constexpr int ImageSide = 300;

} // namespace

QrCodeSheet::QrCodeSheet(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("QR Code"));
    setWindowModality(Qt::WindowModal);

    m_formatPopup = new QComboBox(this);
    m_formatPopup->addItems(QrFormat::all()); // format names, the same in every language
    m_formatPopup->setAccessibleName(tr("Format"));
    connect(m_formatPopup, &QComboBox::currentTextChanged, this, [this](const QString &format) {
        if (m_filling)
            return;
        m_controller.formatPopupSelected(format);
        showState();
    });

    m_table = new QTableWidget(0, 2, this);
    m_table->setHorizontalHeaderLabels({ tr("Type"), tr("Value") });
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAccessibleName(tr("Fields"));
    connect(m_table, &QTableWidget::cellChanged, this, &QrCodeSheet::rowToggled);

    m_textView = new QPlainTextEdit(this);
    m_textView->setReadOnly(true);
    m_textView->setAccessibleName(tr("Payload"));

    m_imageView = new QLabel(this);
    m_imageView->setAlignment(Qt::AlignCenter);
    m_imageView->setMinimumSize(ImageSide, ImageSide);
    // The code sits on white whatever the theme, so a camera finds its quiet zone.
    m_imageView->setAutoFillBackground(true);
    QPalette white = m_imageView->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_imageView->setPalette(white);
    m_imageView->setAccessibleName(tr("QR Code"));

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_leaveOutButton = new QPushButton(tr("Leave Out Address"), this);
    connect(m_leaveOutButton, &QPushButton::clicked, this, [this] {
        m_controller.leaveOutAddress();
        showState();
    });

    m_copyButton = new QPushButton(tr("Copy"), this);
    connect(m_copyButton, &QPushButton::clicked, this, &QrCodeSheet::copy);
    m_closeButton = new QPushButton(tr("Close"), this);
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, [this] {
        m_textView->clear();
        done(1);
    });

    m_copyAction = new QAction(tr("Copy"), this);
    m_copyAction->setShortcut(QKeySequence::Copy);
    m_copyAction->setShortcutContext(Qt::WindowShortcut);
    m_copyAction->setStatusTip(tr("Copy the QR code as an image"));
    connect(m_copyAction, &QAction::triggered, this, &QrCodeSheet::copy);
    addAction(m_copyAction);

    auto *left = new QVBoxLayout;
    auto *formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(tr("Format:"), this));
    formatRow->addWidget(m_formatPopup, 1);
    left->addLayout(formatRow);
    left->addWidget(m_table, 2);
    left->addWidget(m_textView, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_imageView, 1);
    right->addWidget(m_message);
    right->addWidget(m_leaveOutButton, 0, Qt::AlignLeft);

    auto *content = new QHBoxLayout;
    content->addLayout(left, 3);
    content->addLayout(right, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copyButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addLayout(buttons);
    resize(760, 480);
    showState();
}

QrCodeSheet *QrCodeSheet::open(QWidget *window, DocumentHub &hub)
{
    const ContactTable selected = hub.table().selectedSubContacts();
    if (selected.isEmpty() || !selected.first())
        return nullptr;
    // One sheet per window, kept and reused like the window's other sheets.
    auto *sheet = window ? window->findChild<QrCodeSheet *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!sheet)
        sheet = new QrCodeSheet(window);
    sheet->setContact(selected.first());
    sheet->QDialog::open();
    return sheet;
}

void QrCodeSheet::setContact(const ContactEntryPtr &entry)
{
    m_textView->clear();
    m_controller.setContact(entry);
    m_controller.formatPopupSelected(m_formatPopup->currentText());
    showState();
}

void QrCodeSheet::selectFormat(const QString &format)
{
    m_formatPopup->setCurrentText(format);
}

void QrCodeSheet::setRowSelected(int row, bool selected)
{
    if (m_controller.setSelected(row, selected))
        showState();
}

void QrCodeSheet::copy()
{
    std::unique_ptr<QMimeData> data = m_controller.mimeDataForCopy();
    if (data)
        QApplication::clipboard()->setMimeData(data.release());
}

QImage QrCodeSheet::shownImage() const
{
    return m_controller.image().image;
}

void QrCodeSheet::rowToggled(int row, int column)
{
    if (m_filling || column != 1)
        return;
    const QTableWidgetItem *item = m_table->item(row, column);
    if (item)
        setRowSelected(row, item->checkState() == Qt::Checked);
}

void QrCodeSheet::showState()
{
    m_filling = true;
    if (m_formatPopup->currentText() != m_controller.format())
        m_formatPopup->setCurrentText(m_controller.format());
    const int rows = m_controller.numberOfRows();
    m_table->setRowCount(rows);
    const QrSelectionRows &table = m_controller.table();
    for (int row = 0; row < rows; ++row) {
        const QrSelectionRow &selection = table.at(row);
        auto *type = new QTableWidgetItem(ZRPerson::localizedIdentifierForKey(selection.type));
        type->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, 0, type);
        QString title = m_controller.titleForRow(row);
        if (!selection.label.isEmpty() && !selection.value.isEmpty())
            title = QrText::RowTitleFormat.arg(
                Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(selection.label)),
                selection.value);
        auto *value = new QTableWidgetItem(title);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (m_controller.isRowEnabled(row))
            flags |= Qt::ItemIsEnabled;
        value->setFlags(flags);
        value->setCheckState(selection.selected ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, 1, value);
        m_table->setRowHeight(row, int(m_controller.heightOfRow(row)) + 4);
    }
    m_table->resizeColumnToContents(0);

    m_textView->setPlainText(m_controller.payload());
    const QrCodeResult &image = m_controller.image();
    if (image.ok()) {
        // Drawn module for module: an enlarged copy without smoothing when the view is larger.
        const int side = qMax(image.image.width(), ImageSide - 20);
        const int factor = qMax(1, side / image.image.width());
        m_imageView->setPixmap(QPixmap::fromImage(QrCodeImage::imageResize(
            image.image, image.image.width() * factor, image.image.height() * factor)));
    } else {
        m_imageView->clear();
    }
    m_message->setText(image.ok() ? QString() : image.error);
    m_message->setVisible(!image.ok() && !image.error.isEmpty());
    m_leaveOutButton->setVisible(m_controller.canLeaveOutAddress());
    m_copyButton->setEnabled(image.ok());
    m_copyAction->setEnabled(image.ok());
    m_filling = false;
}
