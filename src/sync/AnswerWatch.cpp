// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AnswerWatch.h"

#include <QNetworkReply>

AnswerWatch::AnswerWatch(QNetworkReply *reply, int quietMs, int longestMs, Ask ask)
    : QObject(reply), m_reply(reply), m_longestMs(longestMs), m_ask(std::move(ask))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMs);
    connect(&m_quiet, &QTimer::timeout, this, &AnswerWatch::wentQuiet);
    connect(reply, &QNetworkReply::downloadProgress, this, &AnswerWatch::heard);
    connect(reply, &QNetworkReply::uploadProgress, this, &AnswerWatch::heard);
    connect(reply, &QNetworkReply::finished, this, [this] {
        m_quiet.stop();
        dropQuestion();
    });
    heard();
}

AnswerWatch::~AnswerWatch()
{
    dropQuestion();
}

void AnswerWatch::dropQuestion()
{
    if (!m_question)
        return;
    disconnect(m_question, nullptr, this, nullptr);
    m_question->abort();
    m_question->deleteLater();
    m_question = nullptr;
}

void AnswerWatch::heard()
{
    // Bytes moving answer the question: one still out must not end the wait.
    dropQuestion();
    m_sinceHeard.start();
    m_quiet.start();
}

void AnswerWatch::wentQuiet()
{
    if (m_sinceHeard.elapsed() >= m_longestMs)
        return giveUp();
    m_question = m_ask();
    QNetworkReply *question = m_question;
    // Any status will do: the server is there and answering. Its body is
    // never read, so that no answer to it is held however long it is.
    connect(question, &QNetworkReply::metaDataChanged, this, [this, question] {
        if (question->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 0)
            return;
        dropQuestion();
        m_quiet.start();
    });
    connect(question, &QNetworkReply::finished, this, [this, question] {
        question->deleteLater();
        m_question = nullptr;
        if (m_reply->isFinished())
            return;
        if (question->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 0)
            return giveUp();
        m_quiet.start();
    });
}

void AnswerWatch::giveUp()
{
    m_gaveUp = true;
    m_reply->abort();
}
