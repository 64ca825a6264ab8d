#include "document/FileConvert.h"

#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "formats/TextEncodings.h"
#include "formats/ZRvCard.h"

#include <QFileInfo>
#include <QTextStream>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

enum class OutputFormat { VCard, Csv };

struct Options
{
    QString input;
    QString output;
    std::optional<InputFormat> from;
    std::optional<OutputFormat> to;
    TextEncoding::Number encoding = TextEncoding::Automatic;
    std::optional<QString> group;
};

bool isCsvPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0;
}

std::optional<InputFormat> inputFormatNamed(const QString &name)
{
    if (name == u"vcard"_s)
        return InputFormat::VCard;
    if (name == u"csv"_s)
        return InputFormat::Csv;
    if (name == u"mailwick"_s)
        return InputFormat::MailwickCsv;
    return std::nullopt;
}

std::optional<OutputFormat> outputFormatNamed(const QString &name)
{
    if (name == u"vcard"_s)
        return OutputFormat::VCard;
    if (name == u"csv"_s)
        return OutputFormat::Csv;
    return std::nullopt;
}

std::optional<TextEncoding::Number> encodingNamed(const QString &name)
{
    if (const EncodingInfo *info = TextEncodings::findByName(name))
        return info->number;
    return TextEncodings::numberForCharset(name.toUtf8());
}

// Parses "--name value" and "--name=value"; a message on failure.
QString parse(const QStringList &arguments, Options &options)
{
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString word = arguments.at(i);
        if (!word.startsWith(u"--"_s) || word == u"--"_s) {
            positional << word;
            continue;
        }
        QString value;
        const qsizetype equals = word.indexOf(u'=');
        if (equals >= 0) {
            value = word.mid(equals + 1);
            word.truncate(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            return u"%1 needs a value"_s.arg(word);
        }
        if (word == u"--from"_s) {
            options.from = inputFormatNamed(value);
            if (!options.from)
                return u"unknown input format “%1” (vcard, csv or mailwick)"_s.arg(value);
        } else if (word == u"--to"_s) {
            options.to = outputFormatNamed(value);
            if (!options.to)
                return u"unknown output format “%1” (vcard or csv)"_s.arg(value);
        } else if (word == u"--encoding"_s) {
            const auto encoding = encodingNamed(value);
            if (!encoding)
                return u"unknown text encoding “%1”"_s.arg(value);
            options.encoding = *encoding;
        } else if (word == u"--group"_s) {
            options.group = value;
        } else {
            return u"unknown option %1"_s.arg(word);
        }
    }
    if (positional.size() != 2)
        return u"an input and an output file are needed"_s;
    options.input = positional.at(0);
    options.output = positional.at(1);
    if (!options.from)
        options.from = isCsvPath(options.input) ? InputFormat::Csv : InputFormat::VCard;
    if (!options.to)
        options.to = isCsvPath(options.output) ? OutputFormat::Csv : OutputFormat::VCard;
    return QString();
}

QString invalidFileText(InputFormat format)
{
    return format == InputFormat::VCard ? ExportText::InvalidVCard : ExportText::InvalidCSV;
}

void reportNotices(QTextStream &err, const QString &name, const QList<ReadNotice> &notices)
{
    for (const ReadNotice &notice : notices) {
        err << name << ": " << notice.message << "\n";
        if (!notice.informativeText.isEmpty())
            err << "  " << QString(notice.informativeText).replace(u'\n', u"\n  "_s) << "\n";
    }
}

// The groups of the container other than the top group whose name is the one asked for.
ContactGroupPtr findGroup(const ContainerTable &containers, const QString &name)
{
    for (const ContactContainerPtr &container : containers) {
        for (const ContactGroupPtr &group : container->groups) {
            if (!group->top && group->name == name)
                return group;
        }
    }
    return nullptr;
}

} // namespace

int FileConvert::convert(const QStringList &arguments, QTextStream &err)
{
    Options options;
    if (const QString problem = parse(arguments, options); !problem.isEmpty()) {
        err << "convert: " << problem << "\nusage: corvanthe " << Usage << "\n";
        return 2;
    }
    const QString inputName = QFileInfo(options.input).fileName();
    const QString outputName = QFileInfo(options.output).fileName();

    DocumentReader::Progress progress;
    if (QFileInfo(options.input).size() > ProgressThreshold) {
        err << ReadNoticeText::ReadingMessage.arg(inputName) << "\n";
        err.flush();
        // One line per tenth reached; uneven cards make the percents jump.
        progress = [&err, tenth = 0](int percent) mutable {
            if (percent / 10 > tenth) {
                tenth = percent / 10;
                err << "  " << tenth * 10 << "%\n";
                err.flush();
            }
        };
    }
    const InputFormat from = *options.from;
    DocumentReadResult read
        = DocumentReader::readFile(options.input, from, options.encoding, nullptr, progress);
    if (read.status != DocumentReadResult::Status::Read) {
        err << inputName << ": " << ExportText::CouldNotRead << " " << read.readError << "\n";
        return 1;
    }
    reportNotices(err, inputName, read.notices);
    if (read.contactTable.isEmpty()) {
        err << inputName << ": " << ExportText::CouldNotRead << " " << invalidFileText(from) << "\n";
        return 1;
    }

    ContactTable entries = ExportCommands::everyEntry(read.contactTable);
    const ContactContainer *container
        = read.containers && !read.containers->isEmpty() ? read.containers->first().get() : nullptr;
    if (options.group) {
        const ContactGroupPtr group = read.containers ? findGroup(*read.containers, *options.group) : nullptr;
        if (!group || !group->contactTable) {
            err << inputName << ": " << NoSuchGroup.arg(*options.group) << "\n";
            return 1;
        }
        entries = ExportCommands::everyEntry(*group->contactTable);
    }

    QString text;
    if (*options.to == OutputFormat::Csv) {
        text = ExportCommands::csvText(entries);
    } else {
        if (QFileInfo(options.input).size() > ProgressThreshold) {
            err << ExportText::WritingMessage.arg(outputName) << "\n";
            err.flush();
        }
        // Categories travel with the cards, so a converted file keeps its groups.
        text = ExportCommands::vCardText(entries, container).value_or(QString());
    }
    QString detail;
    const CommandAlert alert = ExportCommands::writeUtf8Atomically(options.output, text, &detail);
    if (alert.isSet()) {
        err << outputName << ": " << alert.message << ". " << alert.informativeText;
        if (!detail.isEmpty())
            err << " (" << detail << ")";
        err << "\n";
        return 1;
    }
    return 0;
}
