#pragma once

#include "WorkGuard.h"

#include <QDialog>

namespace Ui {
class ProgressDialog;
}

// A frameless dialog with a progress bar, an information line and a Close button that
// asks the running work to stop. Esc and the window system's close leave it open.
// The work it shows lets events in while it uses a tab and its file, so while the
// dialog lives it holds a WorkGuard: changes that could close the tab wait for it.
class ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    ProgressDialog(int minimum, int maximum, QWidget* parent = nullptr);
    ~ProgressDialog() override;

    void setText(const QString& text);
    int value() const;
    QString text() const;

signals:
    void canceled();

public slots:
    void setValue(int _value);
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    WorkGuard m_work;
    Ui::ProgressDialog* ui;
};
