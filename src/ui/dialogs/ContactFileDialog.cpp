#include "ui/dialogs/ContactFileDialog.h"

#include "document/Document.h"
#include "formats/EncodingMenuModel.h"
#include "ui/dialogs/EncodingAccessory.h"

#include <QFileInfo>
#include <QGridLayout>

namespace {

// The patterns stay out of the translated text, so a translation can't break them.
QString typeFilter(const QString &title, const char *patterns)
{
    return QStringLiteral("%1 (%2)").arg(title, QLatin1StringView(patterns));
}

QString vCardFilter()
{
    return typeFilter(ContactFileDialog::tr("vCard files"), "*.vcf *.vcard");
}

QString csvFilter()
{
    return typeFilter(ContactFileDialog::tr("CSV files"), "*.csv");
}

QString textFilter()
{
    return typeFilter(ContactFileDialog::tr("Text files"), "*.txt");
}

QString allFilter()
{
    return typeFilter(ContactFileDialog::tr("All files"), "*");
}

bool isOpenKind(ContactFileDialog::Kind kind)
{
    using Kind = ContactFileDialog::Kind;
    return kind == Kind::OpenDocument || kind == Kind::ImportVCard || kind == Kind::ImportCSV;
}

} // namespace

ContactFileDialog::ContactFileDialog(Kind kind, QSettings *settings, QWidget *parent)
    : QFileDialog(parent)
    , m_kind(kind)
{
    setOption(QFileDialog::DontUseNativeDialog);
    if (isOpenKind(kind)) {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
    } else {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
    }

    switch (kind) {
    case Kind::OpenDocument:
        setWindowTitle(tr("Open"));
        setLabelText(QFileDialog::Accept, tr("Open"));
        setNameFilters({ typeFilter(tr("Contact files"), "*.vcf *.vcard *.csv"), vCardFilter(), csvFilter(),
            allFilter() });
        break;
    case Kind::ImportVCard:
        setWindowTitle(tr("Import from vCard"));
        setLabelText(QFileDialog::Accept, tr("Import"));
        setNameFilters({ vCardFilter(), allFilter() });
        break;
    case Kind::ImportCSV:
        setWindowTitle(tr("Import from CSV"));
        setLabelText(QFileDialog::Accept, tr("Import"));
        setNameFilters({ csvFilter(), textFilter(), allFilter() });
        break;
    case Kind::ExportVCard:
        setWindowTitle(tr("Export"));
        setLabelText(QFileDialog::Accept, tr("Export"));
        setLabelText(QFileDialog::FileName, tr("Export As:"));
        setNameFilters({ typeFilter(tr("vCard files"), "*.vcf"), textFilter() });
        setDefaultSuffix(QStringLiteral("vcf"));
        break;
    case Kind::ExportCSV:
        setWindowTitle(tr("Export"));
        setLabelText(QFileDialog::Accept, tr("Export"));
        setLabelText(QFileDialog::FileName, tr("Export As CSV:"));
        setNameFilters({ csvFilter(), textFilter() });
        setDefaultSuffix(QStringLiteral("csv"));
        break;
    }

    if (isOpenKind(kind)) {
        m_menu = std::make_unique<EncodingMenuModel>(settings);
        m_menu->setEncodingOnly();
        m_menu->openPanelWillRun();
        m_accessory = new EncodingAccessory(*m_menu, this);
        // Qt's own dialog lays itself out in a grid; the pop-up takes a row of its own at the bottom.
        if (auto *grid = qobject_cast<QGridLayout *>(layout()))
            grid->addWidget(m_accessory, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

ContactFileDialog::~ContactFileDialog() = default;

TextEncoding::Number ContactFileDialog::encodingType() const
{
    return m_menu ? m_menu->encodingType() : TextEncoding::Automatic;
}

QString ContactFileDialog::chosenFile() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void ContactFileDialog::setDefaultName(const QString &name)
{
    QString file = name;
    // Names may hold characters a file name can't: the slash would name a folder.
    file.replace(QLatin1Char('/'), QLatin1Char('-'));
    if (!defaultSuffix().isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + defaultSuffix();
    selectFile(file);
}

QString ContactFileDialog::documentType(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
        ? DocumentText::CSVType
        : DocumentText::VCardType;
}

void ContactFileDialog::done(int result)
{
    if (m_menu) {
        if (m_accessory)
            m_accessory->requestClose();
        m_menu->openPanelDidEnd(result == QDialog::Accepted);
        // A cancelled dialog goes back to "Automatic"; the pop-up shows it.
        if (m_accessory && result != QDialog::Accepted)
            m_accessory->reloadMenu();
    }
    QFileDialog::done(result);
}
