#include "Scene.h"
#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "ui/dialogs/Alerts.h"

// An alert of the import commands.
CORVANTHE_SCENE("alert-unreadable", [](SceneContext &) {
    return SceneContext::grab(
        Alerts::commandAlert(nullptr, { ExportText::CouldNotRead, ExportText::InvalidVCard }));
});

// The notice of cards that could not be read.
CORVANTHE_SCENE("alert-skipped-cards", [](SceneContext &) {
    const ReadNotice notice { ReadNoticeText::SkippedCards.arg(3),
        QStringList { ReadNoticeText::SkippedCard.arg(4).arg(QStringLiteral("the N property is missing")),
            ReadNoticeText::SkippedCard.arg(17).arg(QStringLiteral("BEGIN:VCARD inside a card")),
            ReadNoticeText::SkippedCard.arg(52).arg(QStringLiteral("VERSION 5.0 is not known")) }
            .join(QLatin1Char('\n')) };
    return SceneContext::grab(Alerts::notices(nullptr, { notice }));
});

// The question asked when Shift, Control and Alt are held at start.
CORVANTHE_SCENE("alert-restore-defaults",
    [](SceneContext &) { return SceneContext::grab(Alerts::restoreDefaults(nullptr, {})); });
