#include "shell.h"

#include "filetest.h"
#include "runtimeerror.h"

#include <QFileInfo>
#include <QProcess>

namespace rt {

double Shell(std::u16string_view commandLine, int /*windowStyle*/)
{
    // The system's 8-bit text: the ANSI code page on Windows, UTF-8 elsewhere.
    const QString line = QString::fromLocal8Bit(nativePath(commandLine)).trimmed();
    if (line.isEmpty())
        raise(InvalidProcedureCall);

    // A whole line that names a file is the program itself, blanks and all.
    QString program = line;
    QStringList arguments;
    if (!QFileInfo(line).isFile()) {
        arguments = QProcess::splitCommand(line);
        if (arguments.isEmpty())
            raise(InvalidProcedureCall);
        program = arguments.takeFirst();
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, QString(), &pid))
        raise(FileNotFound);
    return static_cast<double>(pid);
}

} // namespace rt
