#pragma once

#include "DataPacket.h"
#include "FbHandle.h"
#include "Statement.h"
#include "TextCodec.h"

#include <firebird/Interface.h>
#include <functional>
#include <vector>

namespace db {

// A message buffer aligned for every Firebird type.
class MessageBuffer {
public:
    explicit MessageBuffer(unsigned length) : words_((length + 7) / 8 + 1) {}
    unsigned char* data() { return reinterpret_cast<unsigned char*>(words_.data()); }

private:
    std::vector<double> words_;
};

// The input message of a prepared statement: each marker's value sent with the type of the value
// (the server converts it to the column's type), null where the value is null. A text goes in a
// field of some room beyond its length, so that values of about the same size share the layout
// the statement keeps for them.
class InputMessage {
public:
    InputMessage(PreparedStatement& statement, Firebird::IAttachment* attachment,
                 Firebird::ITransaction* transaction, const std::vector<const ParamValue*>& values);
    Firebird::IMessageMetadata* metadata() const { return layout_->metadata.get(); }
    unsigned char* data() { return buffer_.data(); }

private:
    const InputLayout* layout_ = nullptr;
    MessageBuffer buffer_{0};
};

// Reads every row of an opened cursor into a packet, columns typed by the query, telling
// `answered` after each row. Texts come in the connection's character set.
DataPacket fetchAll(Firebird::IAttachment* attachment, Firebird::ITransaction* transaction,
                    Firebird::IResultSet* cursor, Firebird::IMessageMetadata* output, const TextCodec& codec,
                    const std::function<void()>& answered);

} // namespace db
