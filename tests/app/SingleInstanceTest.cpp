#include <QFileInfo>
#include <QTemporaryDir>
#include <SingleInstance.h>
#include <WaitFor.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

TEST(SingleInstanceTest, ALaterLaunchRaisesTheFirstAndTheNextOneAfterItMayRun)
{
    QTemporaryDir runtime;
    const QString socket = runtime.filePath(QStringLiteral("plimsa.socket"));
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_TRUE(first->claim());
    int raised = 0;
    QObject::connect(first.get(), &SingleInstance::raiseRequested, [&] { ++raised; });
    EXPECT_EQ(QFileInfo(socket).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0)
        << "only the user may ask";

    // Anything but the raise message is ignored.
    const int stray = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socket).constData(),
                 sizeof address.sun_path - 1);
    ::sendto(stray, "hello", 5, 0, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    ::close(stray);
    EXPECT_FALSE(waitFor([&] { return raised > 0; }, 200));

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.askRunningInstanceToRaise());
    ASSERT_TRUE(waitFor([&] { return raised > 0; }));
    EXPECT_EQ(raised, 1);

    first.reset();
    EXPECT_FALSE(QFileInfo::exists(socket)) << "the socket goes with its instance";
    SingleInstance third(runtime.path());
    EXPECT_TRUE(third.claim());
}
