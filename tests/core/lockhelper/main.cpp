// Takes the customer lock of one ID as a second station would: waits until the file GO exists
// (so that several copies start at the same moment), tries once, prints its answer on a line of
// its own and keeps running, holding whatever it got, until its standard input closes, when it
// lets go of the lock. It exits 0 when it got the lock, 1 when it was refused, 2 when the lock
// could not be written, 4 when the path was blocked by something that is not a lock.
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
    int code = 2;
    switch (lock.createSessionInUseFile(args[1], args[2])) {
    case kivo::CustomerLock::Created:
        code = 0;
        break;
    case kivo::CustomerLock::Refused:
        code = 1;
        break;
    case kivo::CustomerLock::Blocked:
        code = 4;
        break;
    case kivo::CustomerLock::WriteFailed:
        break;
    }
    std::printf("%d\n", code);
    std::fflush(stdout);
    // A live station keeps its lock: stay until the test lets go.
    while (std::getchar() != EOF) {
    }
    // Its visit ends: the ID is free again, as a station's start-over leaves it.
    lock.deleteSessionInUseFile();
    return code;
}
