// How many cycles a stress test runs: a few for the everyday test run, as
// many as VELQUOR_STRESS_CYCLES asks for where the checks with sanitizers
// run them.
#pragma once

int StressCycles(int everyday);
