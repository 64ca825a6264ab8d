#pragma once

#include <QString>

// The files of the shared corpus that are not vCard as the format has it, each with why. A file
// rejected that is not listed here, or listed and read after all, fails the corpus tests: either the
// reader lost the ability to read a real client's file, or the list no longer tells the truth.
namespace CorpusMalformed {

struct File
{
    const char *path; // under corpus/vcard
    const char *why;
};

// Files of which nothing can be read.
inline constexpr File Rejected[] = {
    { "calcard/calcard-056.vcf", "a directory entry, not a card: no VERSION and no END:VCARD" },
    { "calcard/calcard-068.vcf", "its one card holds nothing between BEGIN and END" },
    { "eds/eds-vcard-7.vcf", "the card has no BEGIN:VCARD line" },
    { "eds/eds-vcard-8.vcf", "the file ends inside the card: no END:VCARD" },
    { "eds/eds-vcard-9.vcf", "the file is cut off in the middle of a line: no END:VCARD" },
    { "khard/unparsable.vcf", "the file ends inside the card: no END:VCARD" },
};

// Files read but for one card, which holds nothing between its BEGIN and END.
inline constexpr File PartlyRead[] = {
    { "calcard/calcard-063.vcf", "its third card holds nothing between BEGIN and END" },
};

inline const File *find(const File *begin, const File *end, const QString &path)
{
    for (const File *f = begin; f != end; ++f) {
        if (path == QLatin1String(f->path))
            return f;
    }
    return nullptr;
}

} // namespace CorpusMalformed
