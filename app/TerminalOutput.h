#pragma once

#include <QIODevice>
#include <cstdio>

namespace app {

// Standard output or error as the command line writes to it: a control character (ESC, NUL, a
// carriage return, DEL, the C1 controls) that a supplier's name or any other stored text carries
// is written as its escape (\x1B, \u009B), so that it can neither move the cursor nor recolour or
// rewrite what the terminal shows. Line ends and tabs pass; what is stored stays as it is.
class TerminalOutput : public QIODevice {
public:
    explicit TerminalOutput(FILE* stream);
    ~TerminalOutput() override;
    TerminalOutput(const TerminalOutput&) = delete;
    TerminalOutput& operator=(const TerminalOutput&) = delete;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    FILE* stream_;
    bool afterC2_ = false;  // the first byte of a two-byte UTF-8 sequence, possibly a C1 control
};

} // namespace app
