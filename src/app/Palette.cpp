#include "Palette.h"

QColor Palette::priorityColor(TodoPriority priority)
{
    switch (priority) {
    case TodoPriority::low:
        return green;
    case TodoPriority::medium:
        return orange;
    case TodoPriority::high:
        return red;
    }
    return QColor();
}
