#pragma once

#include <QString>

class CommandIo;

// Progress of long work on standard error, as one line rewritten in place; shown only on a terminal.
class Progress
{
public:
    // title: what is being done ("Reading the file: big.vcf").
    Progress(CommandIo &io, const QString &title);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    bool isShown() const { return m_shown; }
    // Whole percents; a repeated percent writes nothing.
    void setPercent(int percent);
    // done of total steps.
    void setSteps(qint64 done, qint64 total);
    // Ends the line.
    void finish();

private:
    CommandIo &m_io;
    QString m_title;
    int m_percent = -1;
    bool m_shown;
    bool m_finished = false;
};
