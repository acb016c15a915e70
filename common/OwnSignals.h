#pragma once

// Cutting an object's connections while it is destroyed. A bare QObject::disconnect()
// also cuts Qt's own watchers of the object's `destroyed` signal (the application's
// style sheet keeps every styled widget in a cache and drops it only on that signal),
// which then keep reading a freed object. This cuts only the connections of the signals
// that `cls` itself declares.

#include <QMetaObject>

class QObject;

void disconnectOwnSignals(QObject* object, const QMetaObject& cls);
