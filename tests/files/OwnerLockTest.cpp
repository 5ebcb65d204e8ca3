// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <OwnerLock.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// A process of its own that takes the claim, says so through a pipe and
// waits to be killed.
pid_t holdInChild(const QString &path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        OwnerLock lock(path);
        const char held = lock.tryTake() ? 'y' : 'n';
        [[maybe_unused]] const ssize_t written = ::write(ready[1], &held, 1);
        for (;;)
            ::pause();
    }
    char held = 'n';
    [[maybe_unused]] const ssize_t got = ::read(ready[0], &held, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return held == 'y' ? child : -1;
}

} // namespace

TEST(OwnerLock, OneHolderAtATimeUntilItLetsGoOrEnds)
{
    enum class Holder { objectHere, processKilled };
    for (const Holder holder : {Holder::objectHere, Holder::processKilled}) {
        QTemporaryDir directory;
        // The folder is made when missing, privately.
        const QString path = directory.filePath(QStringLiteral("sync/owner.lock"));
        OwnerLock first(path);
        pid_t child = -1;
        if (holder == Holder::objectHere) {
            ASSERT_TRUE(first.tryTake());
            EXPECT_TRUE(first.tryTake()) << "holding already";
        } else {
            child = holdInChild(path);
            ASSERT_GT(child, 0);
        }
        OwnerLock second(path);
        EXPECT_FALSE(second.tryTake());
        EXPECT_FALSE(second.isHeld());
        if (holder == Holder::objectHere) {
            first.release();
            EXPECT_TRUE(second.tryTake());
        } else {
            std::thread killer([child] {
                ::usleep(100000);
                ::kill(child, SIGKILL);
            });
            EXPECT_TRUE(second.take()) << "waits until the holder ends";
            killer.join();
            ::waitpid(child, nullptr, 0);
        }
        EXPECT_FALSE(OwnerLock(path).tryTake()) << "the new holder's claim counts";
    }
}
