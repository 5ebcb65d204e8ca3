// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Symbols.h"

#include <QDir>
#include <QPainter>
#include <QStandardPaths>

namespace {

bool themedPlus = false;

QString themeName(Symbol symbol)
{
    switch (symbol) {
    case Symbol::plus:
        return QStringLiteral("list-add-symbolic");
    case Symbol::trash:
        return QStringLiteral("user-trash-symbolic");
    case Symbol::sync:
        return QStringLiteral("emblem-synchronizing-symbolic");
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

} // namespace

void useThemedPlus()
{
    themedPlus = true;
}

void prepareSymbol(Symbol symbol)
{
    symbolIcon(symbol).pixmap(QSize(16, 16));
}

QPixmap tintedSymbol(Symbol symbol, const QColor &color, int size, qreal devicePixelRatio)
{
    QPixmap pixmap = symbol == Symbol::plus && !themedPlus
                         ? drawnPlus(size, devicePixelRatio)
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
