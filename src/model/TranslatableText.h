#pragma once

#include <QCoreApplication>
#include <QString>
#include <utility>

// A text people read, kept as its English source and translated each time it is used: a constant made
// before the program installed its translations still shows the language chosen later, and a change of
// language reaches it. Constants are written
//     inline constexpr auto Name = TranslatableText("Context", "English text");
// which lupdate finds (scripts/update-translations.sh tells it to read the constructor like
// QT_TRANSLATE_NOOP). Use english() where a text is stored or compared, so it stays the same whatever
// the language.
class TranslatableText
{
public:
    constexpr TranslatableText(const char *context, const char *source)
        : m_context(context)
        , m_source(source)
    {
    }

    QString text() const { return QCoreApplication::translate(m_context, m_source); }
    operator QString() const { return text(); }
    QString english() const { return QString::fromUtf8(m_source); }

    template <typename... Args> QString arg(Args &&...args) const
    {
        return text().arg(std::forward<Args>(args)...);
    }

    constexpr const char *context() const { return m_context; }
    constexpr const char *source() const { return m_source; }

private:
    const char *m_context;
    const char *m_source;
};
