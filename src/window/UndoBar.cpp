// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "UndoBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBoundaryFinder>

namespace {

constexpr qsizetype longestBarName = 60;

// Cut only between characters as the user sees them, so that neither the
// bar nor a screen reader gets half an emoji.
QString shortName(const std::string &name)
{
    std::size_t bytes = std::min<std::size_t>(name.size(), 4 * longestBarName + 64);
    while (bytes < name.size() && (static_cast<unsigned char>(name[bytes]) & 0xC0) == 0x80)
        --bytes;
    QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(bytes)).simplified();
    if (text.size() <= longestBarName && bytes == name.size())
        return text;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(std::min<qsizetype>(text.size(), longestBarName - 1));
    if (!graphemes.isAtBoundary())
        graphemes.toPreviousBoundary();
    return text.left(graphemes.position()) + QChar(0x2026);
}

} // namespace

UndoBar::UndoBar(const ContentView &view, QWidget *parent)
    : QFrame(parent), m_view(view), m_message(new QLabel(this)),
      m_undoButton(new QPushButton(tr("Undo"), this))
{
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::AlternateBase);
    setAutoFillBackground(true);
    m_message->setTextFormat(Qt::PlainText);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_undoButton);

    connect(m_undoButton, &QPushButton::clicked, this, &UndoBar::undoRequested);
    connect(&view, &ContentView::undoableDeletionChanged, this, &UndoBar::render);
    connect(&view, &ContentView::undoableChangeChanged, this, &UndoBar::render);
    render();
}

void UndoBar::render()
{
    const auto &deleted = m_view.undoableDeletion();
    // Hidden first, so that a deletion replacing another is announced again.
    hide();
    if (const auto &changed = m_view.undoableChange()) {
        m_message->setText(m_view.undoableChangeCompleted()
                               ? tr("Completed “%1”").arg(shortName(changed->name()))
                               : tr("Changed “%1”").arg(shortName(changed->name())));
    } else if (!deleted.empty()) {
        m_message->setText(
            deleted.size() == 1
                ? tr("Deleted “%1”").arg(shortName(deleted.front().second.name()))
                : tr("Deleted %n to-dos", nullptr, static_cast<int>(deleted.size())));
    } else {
        return;
    }
    setAccessibleName(m_message->text());
    show();
}
