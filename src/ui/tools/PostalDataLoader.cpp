#include "ui/tools/PostalDataLoader.h"

#include "document/WorkerPool.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalKeys.h"

#include <QFileInfo>
#include <QtConcurrent>

PostalDataLoader &PostalDataLoader::instance()
{
    static PostalDataLoader loader;
    return loader;
}

PostalDataLoader::PostalDataLoader(QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<ZipSearchTexts>::finished, this, &PostalDataLoader::finished);
}

QString PostalDataLoader::dataDirectory() const
{
    return m_directory.isEmpty() ? PostalDataFile::dataDirectory() : m_directory;
}

bool PostalDataLoader::isInstalled() const
{
    return QFileInfo::exists(dataDirectory() + u'/' + PostalFile::General);
}

void PostalDataLoader::start()
{
    if (m_state != State::NotStarted)
        return;
    reload();
}

void PostalDataLoader::reload()
{
    if (m_state == State::Loading)
        return;
    if (!isInstalled()) {
        m_state = State::NotInstalled;
        return;
    }
    m_state = State::Loading;
    const QString directory = dataDirectory();
    m_watcher.setFuture(QtConcurrent::run(
        WorkerPool::instance(), [directory] { return ZipSearchTextBuilder::build(directory); }));
}

void PostalDataLoader::finished()
{
    ZipSearchTexts texts = m_watcher.result();
    if (texts.isEmpty()) {
        // Installed but unreadable: the sample keeps the sheet useful, and the sheet says so.
        m_national.reset();
        m_state = State::NotInstalled;
    } else {
        m_national = std::make_shared<const ZipSearchTexts>(std::move(texts));
        m_state = State::Loaded;
    }
    emit textsChanged();
}

std::shared_ptr<const ZipSearchTexts> PostalDataLoader::texts()
{
    if (m_national)
        return m_national;
    if (!m_sample) {
        m_sample
            = std::make_shared<const ZipSearchTexts>(ZipSearchTextBuilder::build(PostalFile::ResourceFolder));
    }
    return m_sample;
}

QString PostalDataLoader::statusText() const
{
    switch (m_state) {
    case State::Loaded:
        return {};
    case State::Loading:
        return tr("Loading the postal-code data… Until it is ready, only a small sample is searched.");
    case State::NotStarted:
    case State::NotInstalled:
        break;
    }
    return tr("The national postal-code data is not installed; only a small sample is searched. Install it "
              "with \"corvanthe postal-data install\" or with Install Postal Data… from the two zip files "
              "the postal service publishes.");
}
