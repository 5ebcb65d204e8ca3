// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "UndoBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr qsizetype longestShownName = 60;

QString shortName(const std::string &name)
{
    QString text = QString::fromUtf8(name.data(),
                                     static_cast<qsizetype>(std::min<std::size_t>(name.size(), 4 * longestShownName)))
                       .simplified();
    if (text.size() > longestShownName)
        text = text.left(longestShownName - 1) + QChar(0x2026);
    return text;
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
        m_message->setText(tr("Changed “%1”").arg(shortName(changed->name())));
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
