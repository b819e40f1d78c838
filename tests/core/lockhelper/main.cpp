// Takes the customer lock of one ID as a second station would: waits until the file GO exists
// (so that several copies start at the same moment), tries once, and exits 0 when it got the
// lock, 1 when it was refused, 2 when the lock could not be written.
#include "core/CustomerLock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: kivo_lock_helper FOLDER ID GOFILE\n");
        return 3;
    }
    while (!QFileInfo::exists(args[3]))
        QThread::usleep(200);
    kivo::CustomerLock lock;
    switch (lock.createSessionInUseFile(args[1], args[2])) {
    case kivo::CustomerLock::Created:
        return 0;
    case kivo::CustomerLock::Refused:
        return 1;
    default:
        return 2;
    }
}
