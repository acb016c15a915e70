#pragma once

#include <QObject>
#include <QString>

// Software and firmware update checks. Minimal form: the main window builds it, wires
// its signals and asks it to check; the checks against the update server are its own
// later work, so nothing is reported yet.
class Updater : public QObject
{
    Q_OBJECT
public:
    explicit Updater(QObject* parent);

signals:
    void newSWAvailable(bool _available);
    void newFWAvailable(bool _available);

public slots:
    void on_checkUpdatesSW();
    void on_checkUpdatesFW(const QString& serial);
    void on_deviceConnected(const QString& serial);
};
