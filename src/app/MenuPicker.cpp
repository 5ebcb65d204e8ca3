// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "MenuPicker.h"

#include <QAccessibleWidget>
#include <QSignalBlocker>

namespace {

class MenuPickerAccessible final : public QAccessibleWidget {
public:
    explicit MenuPickerAccessible(MenuPicker *picker)
        : QAccessibleWidget(picker, QAccessible::ComboBox)
    {
    }

    MenuPicker *picker() const { return static_cast<MenuPicker *>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return picker()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            picker()->showPopup();
    }
};

QAccessibleInterface *menuPickerFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("MenuPicker") && object && object->isWidgetType())
        return new MenuPickerAccessible(static_cast<MenuPicker *>(object));
    return nullptr;
}

} // namespace

void MenuPicker::showValue(const QVariant &value)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(findData(value));
}

void installMenuPickerAccessibility()
{
    QAccessible::installFactory(menuPickerFactory);
}
