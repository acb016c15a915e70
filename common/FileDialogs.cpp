#include "FileDialogs.h"

#include <QFileDialog>

namespace {
FileDialogResponder& responder()
{
    static FileDialogResponder r;
    return r;
}

QStringList ask(FileDialogKind kind, QWidget* parent, const QString& caption, const QString& dir,
                const QString& filter)
{
    if (responder())
        return responder()({kind, caption, dir, filter});
    switch (kind) {
    case FileDialogKind::OpenFile: {
        const QString name = QFileDialog::getOpenFileName(parent, caption, dir, filter);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileDialogKind::OpenFiles:
        return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
    case FileDialogKind::SaveFile: {
        const QString name = QFileDialog::getSaveFileName(parent, caption, dir, filter);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    case FileDialogKind::Directory: {
        if (filter.isEmpty()) {
            const QString name = QFileDialog::getExistingDirectory(parent, caption, dir);
            return name.isEmpty() ? QStringList() : QStringList{name};
        }
        // The system's folder choosers show no files: Qt's own dialog lists them.
        QFileDialog dialog(parent, caption, dir);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, false);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setNameFilter(filter);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return QStringList{dialog.selectedFiles().first()};
    }
    }
    return {};
}

QString first(const QStringList& list)
{
    return list.isEmpty() ? QString() : list.first();
}
} // namespace

void setFileDialogResponder(FileDialogResponder r)
{
    responder() = std::move(r);
}

QString askOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return first(ask(FileDialogKind::OpenFile, parent, caption, dir, filter));
}

QStringList askOpenFileNames(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return ask(FileDialogKind::OpenFiles, parent, caption, dir, filter);
}

QString askSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return first(ask(FileDialogKind::SaveFile, parent, caption, dir, filter));
}

QString askExistingDirectory(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return first(ask(FileDialogKind::Directory, parent, caption, dir, filter));
}
