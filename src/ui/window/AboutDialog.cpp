#include "ui/window/AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>
#include <hb.h>
#include <qrencode.h>
#include <unicode/uversion.h>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
{
    setWindowTitle(tr("About Corvanthe"));
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignHCenter);
    QString version = QApplication::applicationVersion();
    if (version.isEmpty())
        version = tr("unknown");
    m_text->setText(QStringLiteral("<h3>Corvanthe</h3><p>%1</p><p>%2</p><p>%3</p>")
                        .arg(tr("Version %1").arg(version).toHtmlEscaped(),
                            tr("A contact editor for vCard and CSV files, with labels, lists, envelopes and "
                               "postcards.")
                                .toHtmlEscaped(),
                            tr("Licence: as stated in the source distribution.").toHtmlEscaped())
        + QStringLiteral("<p>") + libraryVersions().toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"))
        + QStringLiteral("</p>"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString AboutDialog::libraryVersions()
{
    UVersionInfo icu;
    u_getVersion(icu);
    char icuText[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(icu, icuText);
    const QStringList lines {
        tr("Qt %1").arg(QString::fromLatin1(qVersion())),
        tr("ICU %1").arg(QString::fromLatin1(icuText)),
        tr("libqrencode %1").arg(QString::fromLatin1(QRcode_APIVersionString())),
        tr("HarfBuzz %1").arg(QString::fromLatin1(hb_version_string())),
    };
    return lines.join(u'\n');
}
