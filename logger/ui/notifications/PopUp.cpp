#include "PopUp.h"

#include <QHBoxLayout>

PopUp::PopUp(QWidget* parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_label);
}

void PopUp::setPopupText(const QString& text)
{
    m_label->setText(text);
}

void PopUp::show()
{
    QWidget::show();
}
