#include "print/PrintCommand.h"

#include "formats/EncodingDetector.h"
#include "formats/MailwickCsv.h"
#include "formats/ZRvCard.h"
#include "model/ZRPerson.h"
#include "print/AddressListRenderer.h"
#include "print/EnvelopeLayout.h"
#include "print/EnvelopeRenderer.h"
#include "print/HagakiLayout.h"
#include "print/HagakiRenderer.h"
#include "print/LabelPreset.h"
#include "print/LabelRenderer.h"
#include "print/PaperSizes.h"
#include "print/PrintJob.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsStore.h"
#include "print/ReceiverRecord.h"
#include "print/pdf/TextMappedPdfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The style words of the command line and the print styles they choose.
const QList<std::pair<QString, QString>> &styleWords()
{
    static const QList<std::pair<QString, QString>> words {
        { u"hagaki"_s, PrintValue::StyleHagaki },
        { u"envelope"_s, PrintValue::StyleEnvelope },
        { u"labels"_s, PrintValue::StyleLabels },
        { u"list"_s, PrintValue::StyleAddressList },
    };
    return words;
}

struct Contacts
{
    ContactTable entries;
    QString error;
};

Contacts readContacts(const PrintCommand::Arguments &arguments, QTextStream &err)
{
    Contacts result;
    const QString name = QFileInfo(arguments.input).fileName();
    QFile file(arguments.input);
    if (!QFileInfo(arguments.input).isFile()) {
        result.error = u"%1: no such file"_s.arg(arguments.input);
        return result;
    }
    if (file.size() > PrintCommand::MaxInputBytes) {
        result.error = u"%1: the file is too large to print from"_s.arg(name);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = u"%1: cannot read the file: %2"_s.arg(name, file.errorString());
        return result;
    }
    const DecodedText decoded = EncodingDetector::detectAndDecode(file.readAll());
    if (!decoded.ok()) {
        result.error = u"%1: the text can't be decoded: %2"_s.arg(name, decoded.error);
        return result;
    }

    if (QFileInfo(arguments.input).suffix().compare(u"csv"_s, Qt::CaseInsensitive) == 0) {
        if (!arguments.group.isEmpty()) {
            result.error
                = u"%1: unknown group \"%2\" (a CSV file has no groups)"_s.arg(name, arguments.group);
            return result;
        }
        const auto csv = MailwickCsv::contactsFromMailwickCSV(decoded.text);
        if (csv)
            result.entries = csv->entries;
        if (csv && csv->headerMissing)
            err << name << ": " << MailwickCsv::HeaderMissingMessage << " "
                << MailwickCsv::HeaderMissingInformative << "\n";
        return result;
    }

    QList<ZRvCard::CardProblem> problems;
    const auto containers = ZRvCard().containersFromVCards(decoded.text, {}, &problems);
    for (const ZRvCard::CardProblem &problem : problems)
        err << name << ": card " << problem.cardNumber << " skipped: " << problem.reason << "\n";
    if (!containers || containers->isEmpty() || containers->first()->groups.isEmpty())
        return result;
    const ContactContainer &container = *containers->first();
    const ContactGroup *chosen = nullptr;
    QStringList groupNames;
    for (const ContactGroupPtr &group : container.groups) {
        if (group->deleted)
            continue;
        if (arguments.group.isEmpty() ? group->top : (!group->top && group->name == arguments.group))
            chosen = group.get();
        if (!group->top)
            groupNames.append(group->name);
    }
    if (!chosen) {
        result.error = u"%1: unknown group \"%2\"; the groups are: %3"_s.arg(
            name, arguments.group, groupNames.isEmpty() ? u"(none)"_s : groupNames.join(u", "_s));
        return result;
    }
    if (chosen->contactTable)
        result.entries = *chosen->contactTable;
    return result;
}

// Options overrides from the command line; an error text when one names nothing known.
QString applyOverrides(QVariantMap &options, const PrintCommand::Arguments &arguments, QTextStream &err)
{
    if (!arguments.honorific.isEmpty())
        options.insert(PrintKey::Keishou,
            arguments.honorific == PrintValue::KeishouNone ? QString() : arguments.honorific);
    if (!arguments.preset.isEmpty()) {
        const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
        QList<LabelPreset> presets
            = LabelPresets::fromVariantList(labels.value(PrintKey::PresetArray).toList());
        const int index = LabelPresets::indexOfName(presets, arguments.preset);
        if (index < 0) {
            QStringList names;
            for (const LabelPreset &preset : presets)
                names.append(preset.name);
            return u"unknown preset \"%1\"; the presets are: %2"_s.arg(arguments.preset, names.join(u", "_s));
        }
        LabelPresets::applyPreset(options, presets.at(index));
    }
    if (!arguments.font.isEmpty()) {
        if (!QFontDatabase::families().contains(arguments.font, Qt::CaseInsensitive))
            err << "font \"" << arguments.font << "\" is not installed; another font stands in for it\n";
        options.insert(PrintKey::FontName, arguments.font);
        for (const QString &key : { PrintKey::MailingLabels, PrintKey::Envelope }) {
            QVariantMap style = options.value(key).toMap();
            style.insert(PrintKey::VerticalFontName, arguments.font);
            options.insert(key, style);
        }
        QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
        hagaki.insert(PrintKey::FontName, arguments.font);
        options.insert(PrintKey::Hagaki, hagaki);
    }
    return {};
}

struct Job
{
    PrintJob::Pages pages;
    std::shared_ptr<void> renderer; // keeps the renderer the pages draw with alive
    QString error;
};

Job makeJob(const QString &style, const QVariantMap &options, const QList<ReceiverRecord> &receivers,
    const std::optional<ReceiverRecord> &sender, const QString &paperName)
{
    Job job;
    job.pages.paperName = paperName;
    job.pages.paperSize = PaperSizes::sizeInPoints(paperName);
    if (style == PrintValue::StyleHagaki) {
        auto layout = std::make_shared<HagakiLayout>();
        layout->setPrintOptions(options);
        layout->setSenderPerson(sender);
        layout->setReceiverPersons(receivers);
        job.pages.paperName = PaperSizes::Postcard;
        job.pages.paperSize = HagakiLayout::pageSize();
        job.pages.pageCount = int(receivers.size());
        job.pages.drawPage
            = [l = layout.get(), render = HagakiRenderer::printOptions(options)](QPainter *painter,
                  int page) { HagakiRenderer::drawPage(painter, l->pageForReceiver(page), render); };
        job.renderer = layout;
    } else if (style == PrintValue::StyleEnvelope) {
        const std::optional<EnvelopePaper> paper = EnvelopePaper::named(paperName);
        if (!paper) {
            job.error = u"unknown paper \"%1\""_s.arg(paperName);
            return job;
        }
        job.pages.paperSize = paper->size;
        job.pages.pageCount = int(receivers.size());
        job.pages.drawPage = [receivers, sender, options, paper = *paper,
                                 render = EnvelopeRenderer::printOptions(options, paper->name)](
                                 QPainter *painter, int page) {
            EnvelopeRenderer::drawPage(
                painter, EnvelopeLayout::layoutPage(receivers.at(page), sender, options, paper), render);
        };
    } else if (style == PrintValue::StyleLabels) {
        auto renderer = std::make_shared<LabelRenderer>(options, receivers, job.pages.paperSize);
        job.pages.pageCount = renderer->pageCount();
        job.pages.drawPage
            = [r = renderer.get()](QPainter *painter, int page) { r->drawPage(painter, page); };
        job.renderer = renderer;
    } else if (style == PrintValue::StyleAddressList) {
        auto renderer = std::make_shared<AddressListRenderer>(options, receivers, job.pages.paperSize);
        job.pages.pageCount = renderer->pageCount();
        job.pages.drawPage
            = [r = renderer.get()](QPainter *painter, int page) { r->drawPage(painter, page); };
        job.renderer = renderer;
    }
    return job;
}

} // namespace

namespace PrintCommand {

std::optional<Arguments> parse(const QStringList &arguments, QString *error)
{
    Arguments result;
    QString styleWord;
    const auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word.startsWith(u'-') && word.size() > 1) {
            if (i + 1 >= arguments.size())
                return fail(u"%1 needs a value"_s.arg(word));
            const QString &value = arguments.at(++i);
            if (word == u"--style"_s)
                styleWord = value;
            else if (word == u"-o"_s || word == u"--output"_s)
                result.output = value;
            else if (word == u"--group"_s)
                result.group = value;
            else if (word == u"--paper"_s)
                result.paper = value;
            else if (word == u"--preset"_s)
                result.preset = value;
            else if (word == u"--honorific"_s)
                result.honorific = value;
            else if (word == u"--font"_s)
                result.font = value;
            else if (word == u"--sender"_s) {
                bool ok = false;
                result.sender = value.toInt(&ok);
                if (!ok || result.sender < 1)
                    return fail(u"--sender takes a contact's number from 1, not \"%1\""_s.arg(value));
            } else {
                return fail(u"unknown option %1"_s.arg(word));
            }
        } else if (result.input.isEmpty()) {
            result.input = word;
        } else {
            return fail(u"only one input file can be printed at a time"_s);
        }
    }
    if (result.input.isEmpty())
        return fail(u"no input file"_s);
    if (styleWord.isEmpty())
        return fail(u"--style is required (hagaki, envelope, labels or list)"_s);
    for (const auto &[word, style] : styleWords()) {
        if (word.compare(styleWord, Qt::CaseInsensitive) == 0)
            result.style = style;
    }
    if (result.style.isEmpty())
        return fail(u"unknown style \"%1\" (hagaki, envelope, labels or list)"_s.arg(styleWord));
    if (result.output.isEmpty())
        return fail(u"-o OUT.pdf is required"_s);
    if (!result.paper.isEmpty()) {
        QString known;
        for (const QString &name : PaperSizes::names()) {
            if (name.compare(result.paper, Qt::CaseInsensitive) == 0)
                known = name;
        }
        if (known.isEmpty())
            return fail(u"unknown paper \"%1\"; the papers are: %2"_s.arg(
                result.paper, PaperSizes::names().join(u", "_s)));
        result.paper = known;
    }
    return result;
}

int run(const QStringList &arguments, QTextStream &err, QSettings &settings)
{
    QString error;
    const std::optional<Arguments> parsed = parse(arguments, &error);
    if (!parsed) {
        err << "corvanthe print: " << error << "\nusage: corvanthe " << Usage << "\n";
        return 1;
    }
    const Arguments &args = *parsed;
    const auto failWith = [&err](const QString &message) {
        err << "corvanthe print: " << message << "\n";
        return 1;
    };

    const Contacts contacts = readContacts(args, err);
    if (!contacts.error.isEmpty())
        return failWith(contacts.error);
    QList<ReceiverRecord> receivers;
    for (const ContactEntryPtr &entry : contacts.entries) {
        if (entry && entry->person && !entry->deleted)
            receivers.append(ReceiverRecord::convertContact(entry->person));
    }

    // Postcards and envelopes carry a sender, who is then not sent one.
    std::optional<ReceiverRecord> sender;
    const bool needsSender = args.style == PrintValue::StyleHagaki || args.style == PrintValue::StyleEnvelope;
    if (args.sender > 0) {
        if (args.sender > receivers.size())
            return failWith(
                u"--sender %1: there are only %2 contacts"_s.arg(args.sender).arg(receivers.size()));
        if (needsSender)
            sender = receivers.takeAt(args.sender - 1);
    } else if (needsSender) {
        for (qsizetype i = 0; i < receivers.size(); ++i) {
            const qsizetype labelIndex = ReceiverRecord::senderLabelIndex(receivers.at(i).person);
            if (labelIndex >= 0) {
                sender = ReceiverRecord::convertContact(receivers.at(i).person, labelIndex);
                receivers.removeAt(i);
                break;
            }
        }
    }
    if (receivers.isEmpty())
        return failWith(u"%1: there are no contacts to print"_s.arg(QFileInfo(args.input).fileName()));

    QVariantMap options = PrintOptionsStore::load(settings);
    const QString overrideError = applyOverrides(options, args, err);
    if (!overrideError.isEmpty())
        return failWith(overrideError);

    const QString paper
        = args.paper.isEmpty() ? PrintOptionsStore::paperNameForStyle(args.style) : args.paper;
    const Job job = makeJob(args.style, options, receivers, sender, paper);
    if (!job.error.isEmpty())
        return failWith(job.error);

    QSaveFile output(args.output);
    if (!output.open(QIODevice::WriteOnly))
        return failWith(u"%1: cannot write the file: %2"_s.arg(args.output, output.errorString()));
    TextMappedPdfWriter writer(&output);
    writer.setCreator(u"Corvanthe"_s);
    writer.setTitle(QFileInfo(args.input).completeBaseName());

    PrintJob::Options jobOptions;
    // A PDF is read from its first page: it keeps the contacts' order, where a printer's run is
    // reversed so that the face-up stack comes out in order.
    jobOptions.order = PrintJob::PageOrder::FirstSlotFirst;
    const int total = job.pages.pageCount;
    if (total > ProgressThreshold) {
        jobOptions.progress = [&err](int done, int all) {
            if (done % 50 == 0 || done == all) {
                err << "printing page " << done << " of " << all << (done == all ? "\n" : "\r");
                err.flush();
            }
        };
    }
    const PrintJob::Result result = PrintJob::run(&writer, job.pages, jobOptions);
    if (!result.ok()) {
        output.cancelWriting();
        return failWith(u"%1: %2"_s.arg(args.output, result.error));
    }
    if (!output.commit())
        return failWith(u"%1: cannot write the file: %2"_s.arg(args.output, output.errorString()));
    return 0;
}

int run(const QStringList &arguments)
{
    QTextStream err(stderr);
    QSettings settings;
    return run(arguments, err, settings);
}

} // namespace PrintCommand
