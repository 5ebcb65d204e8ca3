// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Symbols.h"

#include <QDir>
#include <QLineF>
#include <QPainter>
#include <QStandardPaths>

namespace {

bool themedSymbols = false;

QString themeName(Symbol symbol)
{
    switch (symbol) {
    case Symbol::plus:
        return QStringLiteral("list-add-symbolic");
    case Symbol::trash:
        return QStringLiteral("user-trash-symbolic");
    case Symbol::sync:
        return QStringLiteral("emblem-synchronizing-symbolic");
    case Symbol::repeat:
        return QStringLiteral("media-playlist-repeat-symbolic");
    }
    return {};
}

QIcon symbolIcon(Symbol symbol)
{
    const QString name = themeName(symbol);
    return QIcon::fromTheme(name,
                            QIcon(QStringLiteral(":/symbols/") + name + QStringLiteral(".svg")));
}

// Two bars on whole pixels of a 16-unit square, as Adwaita's plus.
QPixmap drawnPlus(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(size / 16.0, size / 16.0);
    painter.fillRect(QRectF(7, 1, 2, 14), Qt::black);
    painter.fillRect(QRectF(1, 7, 14, 2), Qt::black);
    return pixmap;
}

// Two arrows chasing each other round a circle, as Adwaita's sync emblem.
QPixmap drawnSync(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    const QPointF centre(8, 8);
    constexpr double radius = 5.5;
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    for (const double from : {30.0, 210.0}) {
        constexpr double span = 115;
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                        qRound(from * 16), qRound(span * 16));
        // A head where the arc ends, pointing on round the circle.
        QLineF outward = QLineF::fromPolar(radius, from + span).translated(centre);
        const QPointF end = outward.p2();
        const QLineF ahead = QLineF::fromPolar(3, from + span + 90).translated(end);
        outward.setLength(radius + 2.5);
        QLineF inward = QLineF::fromPolar(radius - 2.5, from + span).translated(centre);
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygonF({outward.p2(), ahead.p2(), inward.p2()}));
        painter.restore();
    }
    return pixmap;
}

} // namespace

void useThemedSymbols()
{
    themedSymbols = true;
}

void prepareSymbol(Symbol symbol)
{
    symbolIcon(symbol).pixmap(QSize(16, 16));
}

QPixmap tintedSymbol(Symbol symbol, const QColor &color, int size, qreal devicePixelRatio)
{
    QPixmap pixmap = symbol == Symbol::plus && !themedSymbols ? drawnPlus(size, devicePixelRatio)
                     : symbol == Symbol::sync && !themedSymbols
                         ? drawnSync(size, devicePixelRatio)
                         : symbolIcon(symbol).pixmap(QSize(size, size), devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

QIcon appIcon()
{
    return QIcon::fromTheme(QStringLiteral("org.plimsa.Plimsa"),
                            QIcon(QStringLiteral(":/icons/org.plimsa.Plimsa.svg")));
}

void setUpIconTheme()
{
    QStringList searchPaths = QIcon::themeSearchPaths();
    for (const QString &dataDirectory :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(dataDirectory).filePath(QStringLiteral("icons"));
        if (!searchPaths.contains(icons))
            searchPaths.append(icons);
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}
