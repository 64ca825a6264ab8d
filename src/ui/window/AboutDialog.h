#pragma once

#include <QDialog>

class QLabel;

// "About Corvanthe": the version, the licence and the versions of the libraries in use.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // One line per library, as the program runs with it (not as it was built against).
    static QString libraryVersions();
    QLabel *textLabel() const { return m_text; }

private:
    QLabel *m_text;
};
