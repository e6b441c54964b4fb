#pragma once

#include "DataPacket.h"

#include <QString>

// The XML data packet of a record set's content, the form in which the price look-ups hand a
// record to the other programs of the suite:
//   <DATAPACKET Version="2.0"><METADATA><FIELDS>
//     <FIELD attrname="NAME" fieldtype="string" WIDTH="20"/> ... </FIELDS></METADATA>
//   <ROWDATA><ROW NAME="value" .../> ... </ROWDATA></DATAPACKET>
// Field types: text "string" with its WIDTH, floating point "r8", integer "i8", blob "bin.hex"
// (the bytes in hexadecimal). A null value has no attribute in its ROW. Numbers are written in
// the shortest form that reads back to the same value, with "." as the decimal point whatever
// the workstation's locale. Every value is escaped by the XML writer.
QString writeXmlDataPacket(const db::DataPacket& packet);
