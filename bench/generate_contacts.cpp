// generate_contacts COUNT FILE: writes COUNT generated contacts as one vCard 3.0 file, the input of
// bench/whole-process.sh. The same arguments give the same bytes on every machine.
#include "common/ContactGenerator.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: generate_contacts COUNT FILE [SEED]\n");
        return 2;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    if (count < 0 || count > 10'000'000) {
        std::fprintf(stderr, "generate_contacts: COUNT must lie between 0 and 10000000\n");
        return 2;
    }
    const quint32 seed = argc > 3 ? quint32(std::strtoul(argv[3], nullptr, 10)) : 1;
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "generate_contacts: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    ContactGenerator generator(seed);
    generator.setAddressBook(true);
    for (long i = 0; i < count; ++i) {
        const QByteArray card = generator.nextCard();
        if (file.write(card) != card.size()) {
            std::fprintf(stderr, "generate_contacts: %s\n", qPrintable(file.errorString()));
            return 1;
        }
    }
    return file.flush() ? 0 : 1;
}
