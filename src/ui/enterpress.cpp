#include "enterpress.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {
class EnterPress : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QAbstractButton *>(watched)->click();
        return true;
    }
};
}

void pressOnEnter(QAbstractButton *button)
{
    button->installEventFilter(new EnterPress(button));
}
