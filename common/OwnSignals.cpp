#include "OwnSignals.h"

#include <QMetaMethod>
#include <QObject>

void disconnectOwnSignals(QObject* object, const QMetaObject& cls)
{
    for (int i = cls.methodOffset(); i < cls.methodCount(); ++i) {
        const QMetaMethod method = cls.method(i);
        if (method.methodType() == QMetaMethod::Signal)
            QObject::disconnect(object, method, nullptr, QMetaMethod());
    }
}
