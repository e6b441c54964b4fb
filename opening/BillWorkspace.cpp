#include "BillWorkspace.h"

namespace opening {

BillWorkspace::BillWorkspace()
{
    header.setProvider(&headerProvider);
    lines.setProvider(&linesProvider);
}

void BillWorkspace::bindConnection(db::Connection* connection)
{
    for (db::Statement* statement : {&query, &headerSource, &linesSource})
        statement->setConnection(connection);
}

} // namespace opening
