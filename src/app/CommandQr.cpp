// corvanthe qr INPUT [--contact N] [--format F] -o OUT.png [--payload]: the QR code of one contact of
// a vCard file, with the rows ticked as the sheet ticks them when it opens.

#include "app/CommandLine.h"
#include "formats/EncodingDetector.h"
#include "formats/ZRvCard.h"
#include "tools/QRCodePanelController.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString Usage
    = u"qr INPUT [--contact N] [--format vCard|docomo|au|SoftBank|Phone|Email|URL] -o OUT.png [--payload]"_s;

struct QrArguments
{
    QString input;
    QString output;
    QString format = QrFormat::VCard;
    qsizetype contact = 1;
    bool payloadOnly = false;
};

// The arguments, or an error message.
std::optional<QrArguments> parseArguments(const QStringList &arguments, QString *error)
{
    QrArguments parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (word == u"--payload"_s) {
            parsed.payloadOnly = true;
        } else if ((word == u"-o"_s || word == u"--output"_s) && hasValue) {
            parsed.output = arguments.at(++i);
        } else if (word == u"--format"_s && hasValue) {
            parsed.format = arguments.at(++i);
            if (!QrFormat::all().contains(parsed.format)) {
                *error = u"unknown format \"%1\"; one of: %2"_s.arg(
                    parsed.format, QrFormat::all().join(u", "_s));
                return std::nullopt;
            }
        } else if (word == u"--contact"_s && hasValue) {
            bool ok = false;
            parsed.contact = arguments.at(++i).toLongLong(&ok);
            if (!ok || parsed.contact < 1) {
                *error = u"--contact takes a number from 1"_s;
                return std::nullopt;
            }
        } else if (parsed.input.isEmpty() && !word.startsWith(u'-')) {
            parsed.input = word;
        } else {
            *error = u"unexpected argument \"%1\""_s.arg(word);
            return std::nullopt;
        }
    }
    if (parsed.input.isEmpty() || (parsed.output.isEmpty() && !parsed.payloadOnly)) {
        *error = u"usage: corvanthe "_s + Usage;
        return std::nullopt;
    }
    return parsed;
}

int qrCommand(const QStringList &arguments)
{
    QTextStream err(stderr);
    QString error;
    const std::optional<QrArguments> args = parseArguments(arguments, &error);
    if (!args) {
        err << "qr: " << error << "\n";
        return 1;
    }
    const QString name = QFileInfo(args->input).fileName();
    QFile file(args->input);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "qr: " << name << ": cannot read the file: " << file.errorString() << "\n";
        return 1;
    }
    if (file.size() > TextCodec::MaxInputBytes) {
        err << "qr: " << name << ": " << TextCodecMessage::TooLarge << "\n";
        return 1;
    }
    const DecodedText decoded = EncodingDetector::detectAndDecode(file.readAll());
    if (!decoded.ok()) {
        err << "qr: " << name << ": " << decoded.error << "\n";
        return 1;
    }
    const std::optional<ContainerTable> containers = ZRvCard().containersFromVCards(decoded.text);
    ContactTable contacts;
    if (containers && !containers->isEmpty()) {
        if (const ContactTable *table = ZRvCard::contactsInContainer(*containers->first())) {
            for (const ContactEntryPtr &entry : *table) {
                if (entry && entry->person && !entry->deleted)
                    contacts.append(entry);
            }
        }
    }
    if (contacts.isEmpty()) {
        err << "qr: " << name << ": no contact in the file\n";
        return 1;
    }
    if (args->contact > contacts.size()) {
        err << "qr: " << name << ": there is no contact " << args->contact << "; the file holds "
            << contacts.size() << "\n";
        return 1;
    }
    QRCodePanelController panel;
    panel.setContact(contacts.at(args->contact - 1));
    panel.formatPopupSelected(args->format);
    if (args->payloadOnly) {
        QTextStream out(stdout);
        out << panel.payload();
        if (!panel.payload().endsWith(u'\n'))
            out << "\n";
        return 0;
    }
    if (!panel.image().ok()) {
        err << "qr: " << panel.image().error << "\n";
        return 1;
    }
    QSaveFile png(args->output);
    const QByteArray bytes = panel.copy();
    if (!png.open(QIODevice::WriteOnly) || png.write(bytes) != bytes.size() || !png.commit()) {
        err << "qr: " << args->output << ": cannot write the file: " << png.errorString() << "\n";
        return 1;
    }
    return 0;
}

const CommandLine::RegisterCommand reg(u"qr"_s, Usage, qrCommand);

} // namespace
