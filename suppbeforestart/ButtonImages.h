#pragma once

#include <QIcon>

// The 16 by 16 images of the window's two buttons, drawn for this program.
namespace buttonimages {

// "確定開帳": a small table with a blue title row.
QIcon table();
// "離開": a red power symbol.
QIcon power();

} // namespace buttonimages
