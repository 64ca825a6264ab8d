#include <QTemporaryDir>
#include <QtGlobal>

namespace {

// Qt's file dialog keeps its last folder and history in the user's configuration; the widget tests
// keep theirs in a folder of their own, so that a run neither reads nor changes the user's. Set
// before main(), ahead of the first settings object.
struct IsolatedConfiguration
{
    IsolatedConfiguration()
    {
        if (folder.isValid())
            qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    }
    QTemporaryDir folder;
};

const IsolatedConfiguration isolatedConfiguration;

} // namespace
