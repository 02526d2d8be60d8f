#pragma once

#include <QDir>
#include <QTemporaryDir>

// A temporary working directory for a test: the program reads and writes
// ./FontSize.ini, which must not come from or land in the build tree.
class TempWorkingDir
{
public:
    // Makes the temporary directory the working directory.
    bool enter()
    {
        previous = QDir::currentPath();
        return dir.isValid() && QDir::setCurrent(dir.path());
    }
    void leave() { QDir::setCurrent(previous); }
    QString path() const { return dir.path(); }
    QString filePath(const QString &name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};
