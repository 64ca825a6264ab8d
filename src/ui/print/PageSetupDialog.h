#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QString>

class QButtonGroup;
class QComboBox;
class QLabel;

// The paper the window prints on, and its orientation. Every window shares one (as the print system does);
// each style remembers its own paper, and a window starts with its style's default. Postcards are always
// printed upright on a postcard.
struct PageSetup
{
    QString paperName;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    friend bool operator==(const PageSetup &, const PageSetup &) = default;
};

// Page Setup…: the paper (postcard, sheets, envelopes) and the orientation. Opened window-modal; on OK the
// chosen setup is in setup(). For postcards the paper is fixed; envelopes are fed upright, so only the
// sheet styles turn.
class PageSetupDialog : public QDialog
{
    Q_OBJECT
public:
    PageSetupDialog(const QString &style, const PageSetup &setup, QWidget *parent = nullptr);

    PageSetup setup() const;
    // The text the paper menu shows for a paper name.
    static QString paperTitle(const QString &paperName);
    // Whether a style's pages can be turned.
    static bool styleTurns(const QString &style);

    QComboBox *paperMenu() const { return m_paper; }

private:
    void updateSize();

    QComboBox *m_paper = nullptr;
    QButtonGroup *m_orientation = nullptr;
    QLabel *m_size = nullptr;
};
