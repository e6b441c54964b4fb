#pragma once

#include "RecordSet.h"
#include "Statement.h"

namespace db {
class Connection;
}

namespace opening {

// What the run works with besides the database: a statement for its own queries and writes,
// and the purchase bill being built, its header in one record set and its lines in another.
// Its owner keeps it after the run, so it holds the last bill built.
struct BillWorkspace {
    BillWorkspace();
    BillWorkspace(const BillWorkspace&) = delete;
    BillWorkspace& operator=(const BillWorkspace&) = delete;

    void bindConnection(db::Connection* connection);

    db::Statement query;
    db::Statement headerSource;
    db::Provider headerProvider{&headerSource};
    db::RecordSet header;
    db::Statement linesSource;
    db::Provider linesProvider{&linesSource};
    db::RecordSet lines;
};

} // namespace opening
