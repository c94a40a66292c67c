#pragma once

// A step run so that its failure ends only that step: whatever it throws is dropped and
// the caller goes on with its next step.
class Guarded {
public:
    template <typename Step> static void run(Step &&step) noexcept
    {
        try {
            step();
        } catch (...) {
        }
    }
};
