#pragma once

#include <cstdio>
#include <string>

// A one-line progress bar redrawn in place, for a terminal.
class ProgressBar
{
public:
    // action names the work on the line: "rendering", "analysing".
    explicit ProgressBar(std::FILE* terminal, const char* action = "rendering") : stream(terminal), work(action) {}

    // fraction runs from 0 to 1; redraws only when the shown percentage changes.
    void show(double fraction);
    // Clears the line so the next output starts on a clean one.
    void finish();

    static std::string line(double fraction);

private:
    std::FILE* stream;
    const char* work;
    int shownPercent = -1;
};
