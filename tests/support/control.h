#pragma once
// How tests find a control on a screen: by its object name, which is the control's name
// ("Command4_3", "List1", "MSFlexGrid1").

#include <QObject>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace zanfolio::testing {

// The child of `screen` (at any depth) named `name` that is a W. When there is none, the test
// fails with the control's name and type and the result is null.
template <class W = QWidget> W* control(const QObject* screen, const QString& name) {
    W* found = screen ? screen->findChild<W*>(name) : nullptr;
    if (!found)
        ADD_FAILURE() << "no " << W::staticMetaObject.className() << " named \""
                      << name.toStdString() << "\" on "
                      << (screen ? screen->metaObject()->className() : "no screen");
    return found;
}

} // namespace zanfolio::testing
