#include "Updater.h"

Updater::Updater(QObject* parent)
    : QObject(parent)
{
}

void Updater::on_checkUpdatesSW() {}

void Updater::on_checkUpdatesFW(const QString&) {}

void Updater::on_deviceConnected(const QString&) {}
