// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TestSessionManager.h"

#include <QDeadlineTimer>
#include <X11/SM/SMlib.h>
#include <csignal>
#include <poll.h>
#include <vector>

struct TestSessionManager::State {
    int listenCount = 0;
    IceListenObj *listenObjects = nullptr;
    IceConn connection = nullptr;
    SmsConn client = nullptr;
    bool registered = false;
    int savesDone = 0;
    bool gone = false;
};

namespace {

// libICE's default ends the process when a client goes away.
void ignoreIoError(IceConn) {}

Bool acceptAnyHost(char *)
{
    return True;
}

Status registerClient(SmsConn client, SmPointer data, char *)
{
    auto *state = static_cast<TestSessionManager::State *>(data);
    char *id = SmsGenerateClientID(client);
    SmsRegisterClientReply(client, id);
    free(id);
    state->registered = true;
    return 1;
}

void saveYourselfDone(SmsConn, SmPointer data, Bool)
{
    ++static_cast<TestSessionManager::State *>(data)->savesDone;
}

void closeConnection(SmsConn client, SmPointer data, int count, char **reasons)
{
    SmFreeReasons(count, reasons);
    SmsCleanUp(client);
    auto *state = static_cast<TestSessionManager::State *>(data);
    state->client = nullptr;
    state->gone = true;
}

void ignoreInteractRequest(SmsConn, SmPointer, int) {}
void ignoreInteractDone(SmsConn, SmPointer, Bool) {}
void ignoreSaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void ignorePhase2Request(SmsConn, SmPointer) {}
void ignoreSetProperties(SmsConn, SmPointer, int count, SmProp **properties)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(properties[i]);
    free(properties);
}
void ignoreDeleteProperties(SmsConn, SmPointer, int count, char **names)
{
    for (int i = 0; i < count; ++i)
        free(names[i]);
    free(names);
}
void answerGetProperties(SmsConn client, SmPointer)
{
    SmsReturnProperties(client, 0, nullptr);
}

Status newClient(SmsConn client, SmPointer data, unsigned long *mask, SmsCallbacks *callbacks,
                 char **)
{
    auto *state = static_cast<TestSessionManager::State *>(data);
    state->client = client;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {registerClient, data};
    callbacks->interact_request = {ignoreInteractRequest, data};
    callbacks->interact_done = {ignoreInteractDone, data};
    callbacks->save_yourself_request = {ignoreSaveYourselfRequest, data};
    callbacks->save_yourself_phase2_request = {ignorePhase2Request, data};
    callbacks->save_yourself_done = {saveYourselfDone, data};
    callbacks->close_connection = {closeConnection, data};
    callbacks->set_properties = {ignoreSetProperties, data};
    callbacks->delete_properties = {ignoreDeleteProperties, data};
    callbacks->get_properties = {answerGetProperties, data};
    return 1;
}

} // namespace

TestSessionManager::TestSessionManager() : m_state(std::make_unique<State>())
{
    IceSetIOErrorHandler(ignoreIoError);
    // Writing to a client that has gone must fail, not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    char error[256] = {};
    if (!SmsInitialize("plimsa-tests", "1", newClient, m_state.get(), acceptAnyHost,
                       sizeof error, error))
        return;
    if (!IceListenForConnections(&m_state->listenCount, &m_state->listenObjects, sizeof error,
                                 error))
        return;
    for (int i = 0; i < m_state->listenCount; ++i)
        IceSetHostBasedAuthProc(m_state->listenObjects[i], acceptAnyHost);
    char *ids = IceComposeNetworkIdList(m_state->listenCount, m_state->listenObjects);
    m_address = QString::fromLocal8Bit(ids);
    free(ids);
}

TestSessionManager::~TestSessionManager()
{
    if (m_state->client)
        SmsCleanUp(m_state->client);
    if (m_state->connection) {
        IceSetShutdownNegotiation(m_state->connection, False);
        IceCloseConnection(m_state->connection);
    }
    if (m_state->listenObjects)
        IceFreeListenObjs(m_state->listenCount, m_state->listenObjects);
}

bool TestSessionManager::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        std::vector<pollfd> fds;
        for (int i = 0; i < m_state->listenCount; ++i)
            fds.push_back({IceGetListenConnectionNumber(m_state->listenObjects[i]), POLLIN, 0});
        const IceConn polled = m_state->connection;
        if (polled)
            fds.push_back({IceConnectionNumber(polled), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 50) <= 0)
            continue;
        for (int i = 0; i < m_state->listenCount; ++i) {
            if (!(fds[static_cast<std::size_t>(i)].revents & POLLIN) || m_state->connection)
                continue;
            IceAcceptStatus status;
            m_state->connection = IceAcceptConnection(m_state->listenObjects[i], &status);
        }
        if (polled && (fds.back().revents & (POLLIN | POLLHUP))) {
            const IceProcessMessagesStatus status = IceProcessMessages(polled, nullptr, nullptr);
            if (status == IceProcessMessagesConnectionClosed) {
                m_state->connection = nullptr;
                m_state->gone = true;
            } else if (status == IceProcessMessagesIOError || m_state->gone) {
                IceSetShutdownNegotiation(polled, False);
                IceCloseConnection(polled);
                m_state->connection = nullptr;
                m_state->gone = true;
            }
        }
    }
    return done();
}

void TestSessionManager::requestShutdownSave()
{
    SmsSaveYourself(m_state->client, SmSaveBoth, True, SmInteractStyleNone, False);
}

void TestSessionManager::requestCheckpoint()
{
    SmsSaveYourself(m_state->client, SmSaveBoth, False, SmInteractStyleNone, False);
}

void TestSessionManager::cancelShutdown()
{
    SmsShutdownCancelled(m_state->client);
}

void TestSessionManager::requestDie()
{
    SmsDie(m_state->client);
}

bool TestSessionManager::clientRegistered() const
{
    return m_state->registered;
}

int TestSessionManager::savesDone() const
{
    return m_state->savesDone;
}

bool TestSessionManager::clientGone() const
{
    return m_state->gone;
}
