// One "workstation" of the two-process numbering test: connects through dbconfig.txt in the
// folder given, prints "ready", waits for a line on its input, then allocates the bill numbers
// and prints each on its own line.
// Usage: allocate_numbers FOLDER TABLE DATE COUNT
#include "FrmSimpleDataMod.h"

#include <QCoreApplication>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::cerr << "usage: allocate_numbers FOLDER TABLE DATE COUNT\n";
        return 2;
    }
    try {
        TSimpleDataMod module(args.at(1));
        module.DataModuleCreate();
        module.SQLConnection1.open();
        std::cout << "ready" << std::endl;
        std::string go;
        std::getline(std::cin, go);
        const int count = args.at(4).toInt();
        for (int i = 0; i < count; ++i)
            std::cout << module.GetMaxBillID(args.at(2), args.at(3), QStringLiteral("0")).toStdString() << '\n';
        std::cout.flush();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
