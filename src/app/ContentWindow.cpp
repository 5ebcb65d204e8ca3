#include "ContentWindow.h"

#include <QHideEvent>
#include <QShowEvent>

ContentWindow::ContentWindow(ContentView &view, QWidget *parent) : QWidget(parent), m_view(view)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void ContentWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_view.appear();
}

void ContentWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_view.disappear();
}
