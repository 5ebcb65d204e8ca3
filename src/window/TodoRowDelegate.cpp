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
#include <QPainterPath>
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
// The check box is drawn as large as a symbol and takes clicks as wide as the trash button.
constexpr int checkBox = trashBox;
constexpr double subheadlineScale = 0.85;

QFont headlineFont(const QFont &base, bool struckOut = false)
{
    QFont font = base;
    font.setWeight(QFont::Medium);
    font.setStrikeOut(struckOut);
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
// the width that the check box and the trash button leave, as two equally
// flexible frames.
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
    const int flexible =
        std::max(0, row.width() - 2 * horizontalMargin - checkBox - trashBox - 3 * spacing);
    const int columnWidth = flexible / 2;
    const int left = row.left() + horizontalMargin + checkBox + spacing;
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

int expanderHeight(const QFont &base)
{
    return 2 * verticalMargin + std::max(QFontMetrics(headlineFont(base)).height(), trashBox);
}

int rowWidth(const QStyleOptionViewItem &option)
{
    if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

bool isExpander(const QModelIndex &index)
{
    return index.data(TodoListModel::ExpandedRole).isValid();
}

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem &option)
{
    return !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
           : option.state & QStyle::State_Active   ? QPalette::Active
                                                   : QPalette::Inactive;
}

void drawCheckBox(QPainter *painter, const QRect &rect, bool checked, const QColor *selection)
{
    const QRectF box =
        QRectF(rect.adjusted(trashPadding, trashPadding, -trashPadding, -trashPadding))
            .adjusted(0.75, 0.75, -0.75, -0.75);
    painter->setRenderHint(QPainter::Antialiasing);
    if (!checked) {
        const QColor line =
            selection ? Palette::readableOn(Palette::checkBox, *selection) : Palette::checkBox;
        painter->setPen(QPen(line, 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(box, 3, 3);
        return;
    }
    // On the selection, the fill keeps 3:1 there and the tick takes the selection's colour.
    painter->setPen(Qt::NoPen);
    painter->setBrush(selection ? Palette::readableOn(Palette::blue, *selection) : Palette::blue);
    painter->drawRoundedRect(box, 3, 3);
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.70);
    tick.lineTo(box.left() + box.width() * 0.76, box.top() + box.height() * 0.30);
    painter->setPen(QPen(selection ? *selection : Palette::checkMark, 2, Qt::SolidLine,
                         Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(tick);
}

} // namespace

QRect TodoRowDelegate::trashRect(const QRect &rowRect)
{
    return QRect(rowRect.right() - horizontalMargin - trashBox + 1,
                 rowRect.center().y() - trashBox / 2, trashBox, trashBox);
}

QRect TodoRowDelegate::checkRect(const QRect &rowRect)
{
    return QRect(rowRect.left() + horizontalMargin, rowRect.center().y() - checkBox / 2, checkBox,
                 checkBox);
}

QSize TodoRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int width = rowWidth(option);
    if (isExpander(index))
        return QSize(width, expanderHeight(option.font));
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
    panel.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);
    if (isExpander(index))
        return paintExpander(painter, option, index);

    const QString name = index.data(Qt::DisplayRole).toString();
    const QString time = index.data(TodoListModel::TimeTextRole).toString();
    const auto priority =
        static_cast<TodoPriority>(index.data(TodoListModel::PriorityRole).toInt());
    const bool done = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    const RowGeometry geometry = layOut(option.rect, option.font, name, time);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    const QColor selection = palette.color(colorGroup(option), QPalette::Highlight);

    painter->save();
    drawCheckBox(painter, checkRect(option.rect), done, selected ? &selection : nullptr);

    // A done to-do's name is dimmed as its time is, and struck through.
    painter->setPen(palette.color(selected ? QPalette::HighlightedText
                                  : done   ? QPalette::PlaceholderText
                                           : QPalette::Text));
    NameLayout(name, headlineFont(option.font, done), geometry.name.width())
        .draw(painter, geometry.name.topLeft());

    painter->setFont(subheadlineFont(option.font));
    painter->setPen(
        palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->drawText(geometry.time, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, time);
    const qreal ratio = painter->device()->devicePixelRatioF();
    if (index.data(TodoListModel::RepeatsRole).toBool()) {
        // Right after the time, as tall as its capitals, in its colour.
        const QFontMetrics metrics(painter->font());
        const int size = metrics.capHeight() + 4;
        const QRect symbol(geometry.time.right() + spacing / 2,
                           geometry.time.top() + metrics.ascent() - metrics.capHeight() - 2, size,
                           size);
        painter->drawPixmap(symbol,
                            tintedSymbol(Symbol::repeat, painter->pen().color(), size, ratio));
    }

    const QColor priorityColor = Palette::priorityColor(priority);
    painter->setPen(selected ? Palette::readableOn(priorityColor, selection) : priorityColor);
    painter->drawText(geometry.priority, Qt::AlignCenter | Qt::TextSingleLine,
                      QString::fromLatin1(rawValue(priority)));

    painter->drawPixmap(
        geometry.trash.adjusted(trashPadding, trashPadding, -trashPadding, -trashPadding),
        tintedSymbol(Symbol::trash, Palette::red, symbolSize, ratio));
    painter->restore();
}

void TodoRowDelegate::paintExpander(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect row(option.rect.topLeft(), QSize(option.rect.width(), expanderHeight(option.font)));
    const QRectF triangleBox = QRectF(checkRect(row)).adjusted(8, 8, -8, -8);
    QPainterPath triangle;
    if (index.data(TodoListModel::ExpandedRole).toBool()) {
        triangle.moveTo(triangleBox.topLeft());
        triangle.lineTo(triangleBox.topRight());
        triangle.lineTo(triangleBox.center().x(), triangleBox.bottom());
    } else {
        triangle.moveTo(triangleBox.topLeft());
        triangle.lineTo(triangleBox.right(), triangleBox.center().y());
        triangle.lineTo(triangleBox.bottomLeft());
    }
    triangle.closeSubpath();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(text);
    painter->drawPath(triangle);
    painter->setPen(text);
    painter->setFont(headlineFont(option.font));
    const int left = row.left() + horizontalMargin + checkBox + spacing;
    painter->drawText(QRect(left, row.top(), row.right() - horizontalMargin - left, row.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
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
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    // Keys are the list's (TodoListView); the base class would tick on them too.
    if (!press && !doubleClick && !release)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    const bool left = mouse->button() == Qt::LeftButton;
    if (press)
        m_pressed = QPersistentModelIndex();

    if (isExpander(index) || (left && checkRect(option.rect).contains(at))) {
        if (!left)
            return false;
        if (press)
            m_pressed = index;
        if (release && std::exchange(m_pressed, QPersistentModelIndex()) == index) {
            if (isExpander(index))
                model->setData(index, !index.data(TodoListModel::ExpandedRole).toBool(),
                               TodoListModel::ExpandedRole);
            else
                model->setData(index,
                               index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? Qt::Unchecked
                                                                                     : Qt::Checked,
                               Qt::CheckStateRole);
        }
        // The expander row takes the press as any row does, so that the keys go on from it.
        return !(press && isExpander(index));
    }
    // Only a double-click on the name edits it.
    if (doubleClick && !layOut(option.rect, option.font, index.data(Qt::DisplayRole).toString(),
                               index.data(TodoListModel::TimeTextRole).toString())
                            .name.contains(at))
        return true;
    if (left && trashRect(option.rect).contains(at)) {
        if (release)
            emit trashClicked(index);
        return true;
    }
    return false;
}
