#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <functional>

class QStatusBar;

// A text of the status line, said when called: the program's words through tr(), with
// the values it names (an error code, an instrument's reply, the system's reason) kept
// in the call. Said again, it follows the language installed meanwhile.
using StatusText = std::function<QString()>;

// The message of the status line together with what it was said from, so that a
// language change can say it again in the new words, for the time it has left.
class StatusMessage
{
public:
    // Shows `text` in `bar` for `ms` milliseconds (0: until replaced). The bar's colour
    // is the caller's to set.
    void show(QStatusBar* bar, StatusText text, int ms);
    // The message still on show, said again in the language now installed; its colour
    // and its remaining time stay. A message that has gone or that something else has
    // replaced is left alone.
    void retranslate(QStatusBar* bar);

private:
    StatusText m_text;
    QString m_shown;
    QDeadlineTimer m_expiry;
};
