#pragma once

#include <QVariantMap>
#include <span>

// Whether a dictionary's key is the one wanted. Equal sizes are compared first, so the text is only
// read when it may be the one wanted; not even then when the characters are the same ones, as with
// keys stored under the named constants; and keys of one length mostly differ at their first
// character ("label", "value").
inline bool sameKey(const QString &key, const QString &wanted)
{
    if (key.size() != wanted.size())
        return false;
    if (key.constData() == wanted.constData() || key.isEmpty())
        return true;
    return key.front() == wanted.front() && key == wanted;
}

// Several keys of one dictionary found in a single walk through it. A search over a large document
// reads a few keys of every record's dictionaries, and these lie scattered through memory: walking
// each one once costs far fewer cache misses than a lookup from the root per key.
// values[i] points into dict (nullptr when keys[i] is absent) for as long as dict is unchanged.
inline void findKeys(
    const QVariantMap &dict, std::span<const QString *const> keys, std::span<const QVariant *> values)
{
    qsizetype missing = qsizetype(keys.size());
    for (const QVariant *&value : values)
        value = nullptr;
    for (auto it = dict.cbegin(); it != dict.cend() && missing > 0; ++it) {
        const QString &key = it.key();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (!values[i] && sameKey(key, *keys[i])) {
                values[i] = &it.value();
                --missing;
            }
        }
    }
}

// The text of a value found by findKeys; empty for an absent key.
inline QString foundText(const QVariant *value)
{
    return value ? value->toString() : QString();
}

// The text under key, read without copying the stored value first; empty for an absent key.
inline QString textForKey(const QVariantMap &dict, const QString &key)
{
    const auto it = dict.constFind(key);
    return it == dict.cend() ? QString() : it.value().toString();
}
