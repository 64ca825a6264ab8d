#include "print/PrintOptionsNotice.h"

PrintOptionsNotice &PrintOptionsNotice::instance()
{
    static PrintOptionsNotice notice;
    return notice;
}
