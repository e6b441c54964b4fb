#include "ServiceModule.h"

ServiceModule::ServiceModule(testsupport::TempDatabase::Engine engine)
    : database(false, engine), module(database.folder())
{
    database.configure(module.SQLConnection1);
    module.SQLConnection1.open();
    module.SQLConnection1.setStatementObserver([this](const QString& text) { log << text; });
    toolkit::setBoxes(boxes);
}

ServiceModule::~ServiceModule()
{
    toolkit::setBoxes(nullptr);
}
