#include "app/SingleInstance.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "mainwindow/Commands.h"
#include "mainwindow/Main.h"
#include "platform/Errors.h"
#include "session/CommandLine.h"
#include "ui/Guarded.h"
#include "ui/QtPaths.h"

namespace tessel {

namespace {
const char Taken = 'y';                        // the running program's answer
constexpr std::size_t MaxRequest = 1 << 20;    // more is no start of ours
constexpr int WaitMs = 5000;                   // for a program that runs but does not answer
} // namespace

InstanceServer::InstanceServer(TMainForm& main) : QObject(&main), main_(main), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    OnSignal(main.Prompts(), server_, &QLocalServer::newConnection, this, [this] { Serve(); });
}

bool InstanceServer::Listen(const std::string& path)
{
    // Asked first: listening with access options replaces whatever socket is
    // there. (A start that holds the lock finds only a socket left by a program
    // that ended; the question answers at once then.)
    const QString name = ToQString(path);
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(WaitMs))
        return false;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void InstanceServer::Serve()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<std::string>();
        OnSignal(main_.Prompts(), socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            const QByteArray bytes = socket->readAll();
            received->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            std::vector<std::string> files;
            const RequestState state = DecodeOpenRequest(*received, files);
            if (state == RequestState::Incomplete && received->size() <= MaxRequest)
                return;
            if (state != RequestState::Complete) {
                socket->abort();
                return;
            }
            socket->write(&Taken, 1);
            socket->disconnectFromServer();
            // After this handler: opening may ask questions in a nested event loop.
            QTimer::singleShot(0, this, [this, files] {
                BringToFront(main_);
                OpenNamedFiles(main_, files);
            });
        });
    }
}

bool HandOver(const std::string& path, const std::vector<std::string>& files, int waitMs)
{
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return static_cast<int>(std::max<qint64>(1, waitMs - clock.elapsed())); };
    QLocalSocket socket;
    socket.connectToServer(ToQString(path));
    if (!socket.waitForConnected(left()))
        return false;
    const std::string message = EncodeOpenRequest(files);
    socket.write(message.data(), static_cast<qint64>(message.size()));
    while (socket.bytesToWrite() > 0)
        if (clock.elapsed() >= waitMs || !socket.waitForBytesWritten(left()))
            return false;
    char answer = 0;
    while (socket.bytesAvailable() == 0)
        if (clock.elapsed() >= waitMs || !socket.waitForReadyRead(left()))
            return false;
    return socket.read(&answer, 1) == 1 && answer == Taken;
}

Joined JoinRunningProgram(const std::string& socket, const std::vector<std::string>& files, FileLock& lock,
                          std::string& problem, int patienceMs)
{
    const std::string lockPath = socket + ".lock";
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        int error = 0;
        if (lock.Acquire(lockPath, &error))
            return Joined::First;
        if (error != 0) {
            problem = lockPath + ": " + IoErrorText(error);
            return Joined::Alone;
        }
        // Held: by a program that runs, or one that is starting (it listens
        // once its windows are made) or ending (the lock is free then).
        const qint64 left = patienceMs - clock.elapsed();
        if (left <= 0)
            return Joined::NoAnswer;
        if (HandOver(socket, files, static_cast<int>(left)))
            return Joined::HandedOver;
        QThread::msleep(50);
    }
}

} // namespace tessel
