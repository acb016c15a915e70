#pragma once

#include "Workbook.h"

#include <QObject>
#include <QString>

// The workbook of one conversion. It falls back to the workbook's own default author;
// destroying it removes the workbook's temporary files.
class Book : public QObject
{
    Q_OBJECT
public:
    explicit Book(QObject* parent = nullptr);
    ~Book() override;

    Xlsx::CWorkbook* workbook() { return &m_workbook; }
    bool save(const QString& path);

private:
    Xlsx::CWorkbook m_workbook;
};
