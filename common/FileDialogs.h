#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The file and folder choosers of both programs. They show the system dialogs, except
// while a test has set a responder, which then answers in place of a person.
QString askOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QStringList askOpenFileNames(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QString askSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
// With a filter, the folder chooser also lists the files that match it, so the user sees
// what a folder holds before choosing it.
QString askExistingDirectory(QWidget* parent, const QString& caption, const QString& dir,
                             const QString& filter = QString());

enum class FileDialogKind { OpenFile, OpenFiles, SaveFile, Directory };
struct FileDialogRequest
{
    FileDialogKind kind;
    QString caption;
    QString dir;
    QString filter;
};
// Returns the chosen paths; an empty list is a cancelled dialog.
using FileDialogResponder = std::function<QStringList(const FileDialogRequest&)>;
void setFileDialogResponder(FileDialogResponder responder);
