// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncButton.h"

#include "StopSyncAlert.h"
#include "Symbols.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPainter>

namespace {

constexpr int syncSymbolSize = 16;
constexpr float offlineOpacity = 0.35f;
constexpr qreal progressRingWidth = 2;
// The ring's part still to come, faint beside the part taken.
constexpr float ringTrackOpacity = 0.3f;
// The symbol inside the ring, smaller so that the two do not touch.
constexpr int ringedSymbolSize = 12;

} // namespace

SyncButton::SyncButton(const SyncService &sync, QWidget *parent)
    : QToolButton(parent), m_sync(sync), m_menu(new QMenu(this)),
      m_syncNow(m_menu->addAction(tr("Sync Now")))
{
    setAutoRaise(true);
    setAccessibleName(tr("Sync"));
    setIconSize(QSize(syncSymbolSize, syncSymbolSize));
    m_syncNow->setShortcut(QKeySequence(Qt::Key_F5));
    m_syncNow->setShortcutContext(Qt::WindowShortcut);
    // A menu's shortcut works only while a widget on screen holds its action.
    addAction(m_syncNow);
    connect(m_syncNow, &QAction::triggered, this, &SyncButton::syncNowRequested);
    connect(m_menu->addAction(tr("Sync Settings…")), &QAction::triggered, this,
            &SyncButton::setupRequested);
    m_stop = m_menu->addAction(tr("Stop Syncing"));
    connect(m_stop, &QAction::triggered, this,
            [this] { openStopSyncAlert(window(), [this] { emit stopRequested(); }); });
    connect(this, &QToolButton::clicked, this, [this] {
        if (m_sync.hasAccount())
            m_menu->popup(mapToGlobal(rect().bottomLeft()));
        else
            emit setupRequested();
    });
    connect(&m_sync, &SyncService::stateChanged, this, &SyncButton::render);
    render();
}

QString SyncButton::stateText() const
{
    using State = SyncService::State;
    switch (m_sync.state()) {
    case State::noAccount:
        return tr("Set up sync");
    case State::synced:
        return tr("Synced");
    case State::syncing: {
        const auto [taken, waiting] = m_sync.progress();
        if (taken + waiting > 1)
            return tr("Syncing: %1 of %2 to-dos sent").arg(taken).arg(taken + waiting);
        return tr("Syncing");
    }
    case State::offline:
        return tr("Offline: changes are kept and sent later");
    case State::needsAttention:
        return tr("Sync needs attention");
    }
    return {};
}

void SyncButton::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        render();
}

void SyncButton::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    if (!showsProgress())
        return;
    const auto [taken, waiting] = m_sync.progress();
    // Inside the button's own rectangle, so that nothing else moves.
    const qreal side = std::min(width(), height()) - progressRingWidth - 1;
    const QRectF ring(QPointF(0, 0), QSizeF(side, side));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(QRectF(rect()).center() - ring.center());
    QColor track = palette().color(QPalette::Highlight);
    track.setAlphaF(ringTrackOpacity);
    painter.setPen(QPen(track, progressRingWidth));
    painter.drawEllipse(ring);
    painter.setPen(
        QPen(palette().color(QPalette::Highlight), progressRingWidth, Qt::SolidLine, Qt::RoundCap));
    // Clockwise from twelve o'clock, in sixteenths of a degree.
    painter.drawArc(ring, 90 * 16, -qRound(360.0 * 16 * taken / (taken + waiting)));
}

bool SyncButton::showsProgress() const
{
    const auto [taken, waiting] = m_sync.progress();
    return m_sync.state() == SyncService::State::syncing && taken + waiting > 1;
}

void SyncButton::render()
{
    using State = SyncService::State;
    const State state = m_sync.state();
    const QPalette::ColorRole role =
        state == State::syncing ? QPalette::Highlight : QPalette::ButtonText;
    QColor color = palette().color(role);
    // Faded, whatever the palette's disabled colours (a style sheet may set them alike).
    if (state == State::offline)
        color.setAlphaF(offlineOpacity);
    QPixmap symbol = tintedSymbol(Symbol::sync, color, syncSymbolSize, devicePixelRatioF());
    if (showsProgress()) {
        const QPixmap small =
            tintedSymbol(Symbol::sync, color, ringedSymbolSize, devicePixelRatioF());
        symbol.fill(Qt::transparent);
        QPainter painter(&symbol);
        const qreal margin = (syncSymbolSize - ringedSymbolSize) / 2.0;
        painter.drawPixmap(QPointF(margin, margin), small);
    }
    if (state == State::needsAttention) {
        QPainter painter(&symbol);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xe0, 0x1b, 0x24));
        painter.drawEllipse(
            QRectF(syncSymbolSize * 0.5, 0, syncSymbolSize * 0.5, syncSymbolSize * 0.5));
    }
    setIcon(QIcon(symbol));
    const QString text = stateText();
    setToolTip(text);
    setAccessibleDescription(text);
    m_syncNow->setEnabled(m_sync.hasAccount());
    update();
}
