#include "burst.h"

namespace lindrow {

namespace {

// Volatile, so every burst reads the step afresh and publishes its result: the loop's
// trip count is unknown at compile time and its value is observable afterwards.
volatile double g_step = 1.0;
volatile double g_result = 0.0;

}  // namespace

double RunBurst(int32_t count) {
    const double step = g_step;
    const double limit = count;
    double a = 0.0;
    while (a <= limit) {
        a += step;
    }
    g_result = a;
    return g_result;
}

}  // namespace lindrow
