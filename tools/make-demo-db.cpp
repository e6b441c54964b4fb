// make-demo-db PATH: lays out a suite database with the demo rows (schema/) at PATH, a bare file
// path opened through the embedded engine. An existing file at PATH is replaced.
#include "SuiteSchema.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <stdexcept>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make-demo-db PATH\n");
        return 2;
    }
    const QString& path = arguments.at(1);
    try {
        if (QFile::exists(path) && !QFile::remove(path))
            throw std::runtime_error("cannot replace " + path.toStdString());
        // The embedded engine checks no password; the suite's demo logs in as SYSDBA.
        schema::createSuiteDatabase(path, {QStringLiteral("SYSDBA"), QStringLiteral("x"), {}}, true);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "make-demo-db: %s\n", failure.what());
        return 1;
    }
    return 0;
}
