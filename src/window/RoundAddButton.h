// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QAbstractButton>

// The add button: a blue circle around a black plus.
class RoundAddButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit RoundAddButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &position) const override;
};
