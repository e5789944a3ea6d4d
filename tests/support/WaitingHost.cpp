#include "tests/support/WaitingHost.h"

void TWaitingHost::StopDraw()
{
    ++stops;
    ops->Pattern().Stop();
    ops->Pattern().WaitUntilSuspended();
}

void TWaitingHost::StartDraw()
{
    ++starts;
    // A drawing still running is ended without counting as a stop the
    // operations asked for.
    ops->Pattern().Stop();
    ops->Pattern().WaitUntilSuspended();
    ops->BeginDrawing();
    ops->Pattern().WaitUntilSuspended();
}
