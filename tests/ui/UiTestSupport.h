#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// What the widget tests share: settings of their own in a temporary folder, fixtures written on the
// spot, and ways to find the windows and message boxes a step opened, as a person would see them.
namespace UiTestSupport {

inline QString card(const QString &formattedName, const QString &more = QString())
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n%2END:VCARD\r\n")
        .arg(formattedName, more);
}

inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "can't write " << path.toStdString();
    return path;
}

// Every visible window of the type that the predicate accepts, newest last.
template <typename T> QList<T *> visibleWindows(const std::function<bool(T *)> &accept = {})
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        T *typed = qobject_cast<T *>(widget);
        if (typed && typed->isVisible() && (!accept || accept(typed)))
            found.append(typed);
    }
    return found;
}

template <typename T> T *waitForWindow(const std::function<bool(T *)> &accept = {}, int timeout = 10000)
{
    T *found = nullptr;
    // Not finding one is the caller's failure to report: it gets null.
    (void)QTest::qWaitFor(
        [&] {
            const QList<T *> windows = visibleWindows<T>(accept);
            found = windows.isEmpty() ? nullptr : windows.last();
            return found != nullptr;
        },
        timeout);
    return found;
}

inline QMessageBox *waitForMessage(const QString &text, int timeout = 10000)
{
    return waitForWindow<QMessageBox>([&](QMessageBox *box) { return box->text() == text; }, timeout);
}

// Presses the box's button with that text.
inline void press(QMessageBox *box, const QString &buttonText)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == buttonText) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << buttonText.toStdString();
}

// Picks the pop-up's item with that title the way a person does: open it, click the item.
inline bool choose(QComboBox *popup, const QString &title)
{
    const int index = popup->findText(title);
    if (index < 0)
        return false;
    popup->showPopup();
    QAbstractItemView *view = popup->view();
    const QModelIndex item = view->model()->index(index, popup->modelColumn(), popup->rootModelIndex());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    return true;
}

// Chooses the file in a file dialog and presses its Open (or Save) button.
inline void acceptFile(QFileDialog *dialog, const QString &path)
{
    dialog->selectFile(path);
    const auto *box = dialog->findChild<QDialogButtonBox *>();
    ASSERT_TRUE(box);
    for (QAbstractButton *button : box->buttons()) {
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            ASSERT_TRUE(button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "the dialog has no accept button";
}

// Settings of the test's own, and no window left behind for the next test.
class WidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settings
            = std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    }
    void TearDown() override
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        QApplication::processEvents();
        // Windows of other windows go with their parents, so each is checked before it is touched.
        QList<QPointer<QWidget>> windows;
        for (QWidget *widget : QApplication::topLevelWidgets())
            windows.append(widget);
        for (const QPointer<QWidget> &widget : windows)
            if (widget && !widget->parentWidget())
                delete widget.data();
        QApplication::processEvents();
    }
    // The same settings file as a new program would open it.
    std::unique_ptr<QSettings> reopenedSettings() const
    {
        settings->sync();
        return std::make_unique<QSettings>(settings->fileName(), QSettings::IniFormat);
    }

    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
};

} // namespace UiTestSupport
