#include "ui/find/SharedFindText.h"

#include "ui/window/Application.h"

namespace {

QString &standIn()
{
    static QString text;
    return text;
}

} // namespace

namespace SharedFindText {

QString text()
{
    if (Application *application = Application::instance())
        return application->findText();
    return standIn();
}

void setText(const QString &text)
{
    if (text.isEmpty())
        return;
    if (Application *application = Application::instance())
        application->setFindText(text);
    else
        standIn() = text;
}

} // namespace SharedFindText
