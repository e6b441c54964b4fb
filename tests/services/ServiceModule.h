#pragma once

#include "FrmSimpleDataMod.h"
#include "ScriptedBoxes.h"
#include "TempDatabase.h"

#include <QStringList>
#include <memory>

// A data module connected to a fresh test database, its boxes scripted and every statement it
// sends after the connect recorded in `log`.
class ServiceModule {
public:
    explicit ServiceModule(testsupport::TempDatabase::Engine engine = testsupport::TempDatabase::Engine::Embedded);
    ~ServiceModule();
    ServiceModule(const ServiceModule&) = delete;
    ServiceModule& operator=(const ServiceModule&) = delete;

    testsupport::TempDatabase database;
    TSimpleDataMod module;
    std::shared_ptr<toolkit::ScriptedBoxes> boxes = std::make_shared<toolkit::ScriptedBoxes>();
    QStringList log;
};
