// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoRowDelegate.h"

#include <QLineEdit>

#include "Palette.h"
#include "Symbols.h"
#include "TodoListModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

constexpr int horizontalMargin = 8;
constexpr int verticalMargin = 6;
constexpr int spacing = 8;
constexpr int lineSpacing = 2;
constexpr int symbolSize = 16;
constexpr int trashPadding = 4;
constexpr int trashBox = symbolSize + 2 * trashPadding;
constexpr double subheadlineScale = 0.85;

QFont headlineFont(const QFont &base)
{
    QFont font = base;
    font.setWeight(QFont::Medium);
    return font;
}

QFont subheadlineFont(const QFont &base)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * subheadlineScale);
    return font;
}

// The name, wrapped at word boundaries, or anywhere when one word is too long.
class NameLayout {
public:
    NameLayout(const QString &name, const QFont &font, int width) : m_layout(name, font)
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        m_layout.endLayout();
        m_height = static_cast<int>(std::ceil(y));
    }

    int height() const { return m_height; }
    void draw(QPainter *painter, const QPoint &at) const { m_layout.draw(painter, at); }

private:
    QTextLayout m_layout;
    int m_height = 0;
};

// Where each part of a row goes. The name column and the priority label share
// the width that the trash button leaves, as two equally flexible frames.
struct RowGeometry {
    QRect name;
    QRect time;
    QRect priority;
    QRect trash;
    int height = 0;
};

int nameHeightFor(const QString &name, const QFont &base, int width)
{
    return NameLayout(name, headlineFont(base), width).height();
}

RowGeometry layOut(const QRect &row, const QFont &base, const QString &name, const QString &time)
{
    RowGeometry geometry;
    const int flexible = std::max(0, row.width() - 2 * horizontalMargin - trashBox - 2 * spacing);
    const int columnWidth = flexible / 2;
    const int left = row.left() + horizontalMargin;
    const int top = row.top() + verticalMargin;

    const QFontMetrics headline(headlineFont(base));
    const QFontMetrics subheadline(subheadlineFont(base));
    const int nameHeight = std::max(headline.height(), nameHeightFor(name, base, columnWidth));
    geometry.name = QRect(left, top, columnWidth, nameHeight);
    geometry.time = QRect(left, top + nameHeight + lineSpacing,
                          subheadline.horizontalAdvance(time) + 1, subheadline.height());

    geometry.height =
        2 * verticalMargin + std::max({nameHeight + lineSpacing + subheadline.height(), trashBox});
    const int middle = row.top() + geometry.height / 2;
    geometry.priority = QRect(left + columnWidth + spacing, middle - subheadline.height() / 2,
                              columnWidth, subheadline.height());
    geometry.trash =
        TodoRowDelegate::trashRect(QRect(row.left(), row.top(), row.width(), geometry.height));
    return geometry;
}

int rowWidth(const QStyleOptionViewItem &option)
{
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

} // namespace

QRect TodoRowDelegate::trashRect(const QRect &rowRect)
{
    return QRect(rowRect.right() - horizontalMargin - trashBox + 1,
                 rowRect.center().y() - trashBox / 2, trashBox, trashBox);
}

QSize TodoRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int width = rowWidth(option);
    const RowGeometry geometry =
        layOut(QRect(0, 0, width, 0), option.font, index.data(Qt::DisplayRole).toString(),
               index.data(TodoListModel::TimeTextRole).toString());
    return QSize(width, geometry.height);
}

void TodoRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    panel.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    const QString name = index.data(Qt::DisplayRole).toString();
    const QString time = index.data(TodoListModel::TimeTextRole).toString();
    const auto priority =
        static_cast<TodoPriority>(index.data(TodoListModel::PriorityRole).toInt());
    const RowGeometry geometry = layOut(option.rect, option.font, name, time);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;

    painter->save();
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    NameLayout(name, headlineFont(option.font), geometry.name.width())
        .draw(painter, geometry.name.topLeft());

    painter->setFont(subheadlineFont(option.font));
    painter->setPen(
        palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(geometry.time, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, time);

    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : option.state & QStyle::State_Active    ? QPalette::Active
                                                                              : QPalette::Inactive;
    const QColor priorityColor = Palette::priorityColor(priority);
    painter->setPen(selected ? Palette::readableOn(priorityColor,
                                                   palette.color(group, QPalette::Highlight))
                             : priorityColor);
    painter->drawText(geometry.priority, Qt::AlignCenter | Qt::TextSingleLine,
                      QString::fromLatin1(rawValue(priority)));

    const qreal ratio = painter->device()->devicePixelRatioF();
    painter->drawPixmap(
        geometry.trash.adjusted(trashPadding, trashPadding, -trashPadding, -trashPadding),
        tintedSymbol(Symbol::trash, Palette::red, symbolSize, ratio));
    painter->restore();
}

QWidget *TodoRowDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setAccessibleName(tr("Name"));
    return editor;
}

void TodoRowDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // A sync that changes the row leaves a name being typed as it is.
    if (const auto *field = qobject_cast<QLineEdit *>(editor); field && field->isModified())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void TodoRowDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    const RowGeometry geometry =
        layOut(option.rect, option.font, index.data(Qt::DisplayRole).toString(),
               index.data(TodoListModel::TimeTextRole).toString());
    // Over the name, one line high, as wide as the name column may be.
    const int height = editor->sizeHint().height();
    editor->setGeometry(geometry.name.left(), geometry.name.top(), geometry.name.width(), height);
}

bool TodoRowDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                  const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (press || release) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // Only a double-click on the name edits it.
        if (event->type() == QEvent::MouseButtonDblClick &&
            !layOut(option.rect, option.font, index.data(Qt::DisplayRole).toString(),
                    index.data(TodoListModel::TimeTextRole).toString())
                 .name.contains(mouse->position().toPoint()))
            return true;
        if (mouse->button() == Qt::LeftButton &&
            trashRect(option.rect).contains(mouse->position().toPoint())) {
            if (release)
                emit trashClicked(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
