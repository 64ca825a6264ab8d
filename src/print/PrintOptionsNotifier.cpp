#include "print/PrintOptionsNotifier.h"

PrintOptionsNotifier &PrintOptionsNotifier::instance()
{
    static PrintOptionsNotifier notifier;
    return notifier;
}
