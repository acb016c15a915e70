#include "Book.h"

Book::Book(QObject* parent)
    : QObject(parent), m_workbook(Xlsx::CDualString())
{
}

Book::~Book() = default;

bool Book::save(const QString& path)
{
    return m_workbook.Save(path.toStdString());
}
