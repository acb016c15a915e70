#include "ReaderErrors.h"

#include <QCoreApplication>

QString readerErrorText(int code)
{
    const char* text = nullptr;
    switch (code) {
    case NoError: return QString();
    case WrongVersion: text = QT_TRANSLATE_NOOP("MainWindow", "Wrong file version"); break;
    case CantOpenFile: text = QT_TRANSLATE_NOOP("MainWindow", "Can't open file"); break;
    case CantCreateOutput: text = QT_TRANSLATE_NOOP("MainWindow", "Can't create output file"); break;
    case CantSaveFile: text = QT_TRANSLATE_NOOP("MainWindow", "Can't save file"); break;
    case CantRemoveFile: text = QT_TRANSLATE_NOOP("MainWindow", "Can't remove file"); break;
    case WriteFailed: text = QT_TRANSLATE_NOOP("MainWindow", "Failed to write to file"); break;
    case ReadFailed: text = QT_TRANSLATE_NOOP("MainWindow", "Failed to read file"); break;
    case WrongReadLength: text = QT_TRANSLATE_NOOP("MainWindow", "Wrong read length"); break;
    case MappingFailed: text = QT_TRANSLATE_NOOP("MainWindow", "File mapping error"); break;
    case WrongChannels: text = QT_TRANSLATE_NOOP("MainWindow", "Wrong number of channels"); break;
    case WrongSamplePeriod: text = QT_TRANSLATE_NOOP("MainWindow", "Wrong sample period"); break;
    case TooManyRows: text = QT_TRANSLATE_NOOP("MainWindow", "Too many rows for one sheet"); break;
    case NotALog: text = QT_TRANSLATE_NOOP("MainWindow", "The file is corrupted or in the wrong format"); break;
    default: text = QT_TRANSLATE_NOOP("MainWindow", "Internal file error"); break;
    }
    return QCoreApplication::translate("MainWindow", text);
}
