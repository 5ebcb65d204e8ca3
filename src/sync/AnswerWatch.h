// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QNetworkReply;

// Tells a server slow to answer from one that will not. Radicale takes
// minutes to begin a first listing of 100,000 to-dos, and a server
// builds an answer on to the end even after its client has left, so giving up
// on silence alone fails such a list at every try and loads the server more
// each time. When the answer has been quiet for `quietMs`, the watch asks the
// server something small on another connection: answered, the wait goes on;
// unanswered within `quietMs` too, or quiet past `longestMs` in all (a lost
// connection to a server that is itself fine), the request is given up.
class AnswerWatch : public QObject {
public:
    // Sends the small question; its own transfer timeout is `quietMs`.
    using Ask = std::function<QNetworkReply *()>;

    // Lives as long as `reply`, whose child it becomes.
    AnswerWatch(QNetworkReply *reply, int quietMs, int longestMs, Ask ask);
    ~AnswerWatch() override;

    bool gaveUp() const { return m_gaveUp; }

private:
    void heard();
    void wentQuiet();
    void giveUp();
    void dropQuestion();

    QNetworkReply *m_reply;
    QTimer m_quiet;
    QElapsedTimer m_sinceHeard;
    int m_longestMs;
    Ask m_ask;
    QPointer<QNetworkReply> m_question;
    bool m_gaveUp = false;
};
