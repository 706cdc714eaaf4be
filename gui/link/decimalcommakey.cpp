#include "gui/link/decimalcommakey.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class DecimalCommaKey : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (!(key->modifiers() & Qt::KeypadModifier) || key->text() != QLatin1String("."))
            return false;
        QKeyEvent comma(key->type(), Qt::Key_Comma, key->modifiers(), QStringLiteral(","),
                        key->isAutoRepeat(), ushort(key->count()));
        QCoreApplication::sendEvent(watched, &comma);
        return true;
    }
};

} // namespace

void typeDecimalCommaFromKeypad(QWidget *field)
{
    field->installEventFilter(new DecimalCommaKey(field));
}
