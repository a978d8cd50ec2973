// Construction and teardown of the program's long-lived objects, in their fixed orders.
// Made at the very start of the entry point, before the window exists, and torn down after
// runGame returns: every sprite and sound goes before the display and sound device that made them.
#pragma once

class ProgramObjects {
public:
    ProgramObjects();
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

private:
    struct Steps;
    Steps* steps_;
};
