#pragma once
// Finding the windows a screen test opened.
#include <QApplication>
#include <QString>
#include <QWidget>

namespace test_support {

// The first visible top-level window of type T (with that object name when one
// is given), or null.
template <typename T>
T* Visible_Window(const QString& name = {})
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<T*>(top);
            window && window->isVisible() && (name.isEmpty() || top->objectName() == name))
            return window;
    return nullptr;
}

}  // namespace test_support
