#pragma once

#include "ContentView.h"

#include <QWidget>

// The main window: renders a ContentView and forwards the user's actions to it.
// Coming on screen and leaving it (not minimising) run the view's hooks.
class ContentWindow : public QWidget {
    Q_OBJECT

public:
    explicit ContentWindow(ContentView &view, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    ContentView &m_view;
};
